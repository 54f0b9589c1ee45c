// A prop standing on a tile of the edited task layout, drawn in the preview with the picture of
// its facing. It works on the task's own prop record: turning it changes the loaded task at once.
// Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

class GUI_TaskEditorTile;
class SIM_Prop;
struct TaskPropDef;

class GUI_EditorProp : public GUI_WindowBase
{
public:
    // tile: the tile it stands on (which owns it). record: its prop record, owned by the task's
    // tile record (or, for a stockpile's pallets, by the tile).
    GUI_EditorProp(GUI_TaskEditorTile* tile, TaskPropDef* record);

    // Sizes the picture by the preview's scale and stands it on its sub-tile point.
    void Layout() override;
    // A quarter turn: the next facing and its picture; the place stays.
    void Rotate();
    void Draw() override;
    // The hand while the mouse is over it.
    void Update() override;

    // Taken off the layout: its record is gone, it only waits for the next draw to disappear.
    void MarkRemoved();
    bool IsRemoved() const { return m_removed; }

    TaskPropDef* GetRecord() const { return m_record; }
    GUI_TaskEditorTile* GetTile() const { return m_tile; }
    int GetSubTile() const { return m_subTile; }

    // The picture index a facing shows: a prop facing 0 shows picture 1, facing 3 picture 0.
    static int TextureIndexForFacing(int facing) { return (facing + 1) & 3; }
    // Gives the sprite the prop type's picture for the facing, mirrored when the type says so.
    static void ApplyFacingPicture(CTexturedSprite& sprite, const SIM_Prop& type, int facing);

private:
    SIM_Prop* m_type;
    CTexturedSprite m_sprite;
    float m_x = 0.0f;
    float m_y = 0.0f;
    GUI_TaskEditorTile* m_tile;
    int m_subTile;
    bool m_removed = false;
    TaskPropDef* m_record; // null once removed
};
