// The mission editor proper: a column of controls beside the mission's map. Zones are dragged out
// on the map and their name, rent, wall set, floor and lock state edited here; import bays and
// exports are placed on the map; the save button writes the mission file the game reads.
// Only one is open at a time (GetOpen), in the mission editor mode. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_Dialog.h"

#include <string>

class GUI_ButtonText;
class GUI_DropDownList;
class GUI_MissionEditorMap;
class GUI_TextEditWindow;
class SIM_BuildingZone;
class SIM_Mission;

class GUI_MissionEditorDialog : public GUI_Dialog
{
public:
    static constexpr const char* kFloorAtlas = "data/bitmaps/atlases/floors.atl";
    static constexpr int kControlWidth = 250;
    static constexpr int kControlHeight = 30;
    static constexpr int kPreviewWidth = 250;
    static constexpr int kPreviewHeight = 125;
    // Zone names and the rent as typed: the length a field takes.
    static constexpr int kFieldLength = 128;

    // mission: edited in place, not owned; must not be null and must outlive the dialog.
    explicit GUI_MissionEditorDialog(SIM_Mission* mission);
    ~GUI_MissionEditorDialog() override;

    // The open editor dialog, or null.
    static GUI_MissionEditorDialog* GetOpen();

    void Layout() override;
    void Draw() override;

    // Writes the fields into the zone selected so far, then shows the zone's values (empty
    // fields for null). Nothing when the zone is already selected.
    void SelectZone(SIM_BuildingZone* zone);
    // Writes the fields into the selected zone (nothing without one).
    void ApplyToZone();
    // Applies the fields and writes the mission file; false (reported) when it could not be written.
    bool OnSave();
    void OnCreateZone();
    void OnImports();
    void OnExports();
    void OnListSelect();
    // Lets go of the mission before it is read again or goes away: no zone selected, and no
    // longer the open dialog (it may still wait for its deletion).
    void Release();

    SIM_BuildingZone* GetSelectedZone() const { return m_selectedZone; }
    SIM_Mission* GetMission() const { return m_mission; }
    GUI_MissionEditorMap* GetMap() const { return m_map; }
    GUI_TextEditWindow* GetNameField() const { return m_nameField; }
    GUI_TextEditWindow* GetRentField() const { return m_rentField; }
    GUI_DropDownList* GetWallsList() const { return m_wallsList; }
    GUI_DropDownList* GetFloorList() const { return m_floorList; }
    GUI_DropDownList* GetTypeList() const { return m_typeList; }
    GUI_ButtonText* GetCreateZoneButton() const { return m_createZone; }

private:
    // Every sprite name of the floor atlas, in file order.
    void FillFloorList();
    // The preview shows the first texture of a comma list.
    void ShowFloorPreview(const std::string& floorTextures);

    // Owned by the button list.
    GUI_ButtonText* m_createZone = nullptr;
    GUI_ButtonText* m_save = nullptr;
    GUI_ButtonText* m_imports = nullptr;
    GUI_ButtonText* m_exports = nullptr;
    GUI_MissionEditorMap* m_map = nullptr;      // owned as a sub-window
    SIM_Mission* m_mission;                     // not owned: the mission list (or a test) owns it
    SIM_BuildingZone* m_selectedZone = nullptr; // not owned: the mission's zone list owns it
    // Owned as sub-windows.
    GUI_TextEditWindow* m_nameField = nullptr;
    GUI_TextEditWindow* m_rentField = nullptr;
    GUI_DropDownList* m_wallsList = nullptr;
    GUI_DropDownList* m_floorList = nullptr;
    GUI_DropDownList* m_typeList = nullptr;
    std::string m_nameLabel;
    std::string m_rentLabel;
    std::string m_wallsLabel;
    std::string m_floorLabel;
    std::string m_typeLabel;
    CTexturedSprite m_floorPreview;
};
