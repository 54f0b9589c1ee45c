// One savegame in the load and save dialogs: a square picture of the save, its name, when it was
// written and its mission. The load and save strips add their buttons and their clicks.
// Main thread only.
#pragma once

#include "engine/BaseSprite.h"
#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"
#include "save/SaveDate.h"
#include "save/SaveFolder.h"

#include <memory>
#include <string>
#include <vector>

class SaveThumbnails;
struct SaveThumbnail;

class GUI_SaveStripBase : public GUI_WindowBase
{
public:
    // Reads the save's header (date and mission) from the savegames folder; the picture comes from
    // the dialog's thumbnails when the strip is first drawn.
    GUI_SaveStripBase(const std::string& path, SaveThumbnails& thumbnails);
    ~GUI_SaveStripBase() override;

    // The picture at the left, square, in the inner rectangle; derived strips add their buttons.
    void Layout() override;
    void Draw() override;

    // The header's date "d/m/y (DD-MM-YYYY) - h:mm": parts that are missing or not numbers read 0.
    static SaveDate ParseDate(const std::string& dateText);
    // The list order: the newer save first; saves of the same minute by name.
    static bool ListsBefore(const GUI_SaveStripBase& a, const GUI_SaveStripBase& b);
    // The full paths of the saves in the folder itself (sub-folders are not looked into), by name.
    static std::vector<std::string> FindSaves(const std::string& folder);
    // The save's name: the file name without its folder and without ".xml".
    static std::string NameOf(const std::string& path);
    // One strip per save of the savegames folder, in list order, showing the dialog's pictures.
    template <class Strip>
    static void FillRows(std::vector<std::unique_ptr<GUI_WindowBase>>& rows, SaveThumbnails& thumbnails);

    const std::string& GetPath() const { return m_path; }
    const std::string& GetSaveName() const { return m_name; }
    const std::string& GetDateText() const { return m_dateText; }
    const std::string& GetMissionText() const { return m_missionText; }
    // Where the picture is and which part of it shows.
    const BaseSprite& GetThumbnailSprite() const;
    bool HasOwnPicture() const { return m_picture != nullptr; }

    // Chooses the picture: the save's own ".jpg", or the game's default picture.
    void LoadThumbnail();

protected:
    PRect m_inner{};

private:
    static void SortRows(std::vector<std::unique_ptr<GUI_WindowBase>>& rows);

    SaveThumbnails& m_thumbnails; // not owned: the dialog's; read only while the dialog lists the strip
    SaveDate m_stamp;
    bool m_thumbnailLoaded = false;
    std::string m_path;
    std::string m_name;
    std::shared_ptr<SaveThumbnail> m_picture;
    BaseSprite m_pictureSprite;      // the save's own picture
    CTexturedSprite m_defaultSprite; // the default picture when the save has none
    std::string m_dateLabel;
    std::string m_dateText;
    std::string m_missionLabel;
    std::string m_missionText;
};

template <class Strip>
void GUI_SaveStripBase::FillRows(std::vector<std::unique_ptr<GUI_WindowBase>>& rows, SaveThumbnails& thumbnails)
{
    rows.clear();
    for (const std::string& path : FindSaves(SaveFolder::Get()))
        rows.push_back(std::make_unique<Strip>(path, thumbnails));
    SortRows(rows);
}
