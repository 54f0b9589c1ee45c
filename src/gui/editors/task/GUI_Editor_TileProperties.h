// The task editor's dialog for one tile of the layout: the floor list above (a pick sets the
// floor and closes the dialog) and the tile type below. It holds the task's tile record, which
// outlives the editor tiles a type change rebuilds, and finds the tile's current view through
// the preview. At most one is open. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"

#include <string>

class GUI_DropDownList;
class GUI_Edit_FloorTexture;
struct TaskTileDef;

class GUI_Editor_TileProperties : public GUI_Dialog
{
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 700;

    // record: the task's tile record (not owned).
    explicit GUI_Editor_TileProperties(TaskTileDef* record);
    ~GUI_Editor_TileProperties() override;
    GUI_Editor_TileProperties(const GUI_Editor_TileProperties&) = delete;
    GUI_Editor_TileProperties& operator=(const GUI_Editor_TileProperties&) = delete;

    // Closes the open dialog, if any, and opens a modal one for the tile record.
    static GUI_Editor_TileProperties* Open(TaskTileDef* record);
    static GUI_Editor_TileProperties* GetOpen();
    // Closes the open dialog, if any (the editor is rebuilt or left).
    static void CloseOpen();

    void Layout() override;
    void Draw() override;
    // The type list's choice.
    void OnTypeSelected();
    // "Normal", "Conveyor", "Stockpile" or "Export" (a conveyor also gets the conveyor floor);
    // any other text changes nothing. The editor then shows the task again; the dialog stays.
    void SetTileType(const std::string& text);
    // A floor was picked in the list.
    void PickFloor(const std::string& textureName);

    TaskTileDef* GetRecord() const { return m_record; }
    GUI_Edit_FloorTexture* GetFloorList() const { return m_floorList; }
    GUI_DropDownList* GetTypeList() const { return m_typeList; }

    static const char* TileTypeText(int type);

private:
    TaskTileDef* m_record;
    GUI_Edit_FloorTexture* m_floorList = nullptr; // sub-window
    GUI_DropDownList* m_typeList = nullptr;       // sub-window
};
