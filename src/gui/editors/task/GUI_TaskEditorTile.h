// One tile of the edited task layout in the task editor's preview: its floor diamond, the 16
// sub-tile points props stand on, and those props. It works on the task's own tile record, so
// placing, turning and removing props changes the loaded task at once; the save writes it out.
// Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "sim/definitions/TaskPropDef.h"

#include <array>
#include <string>
#include <vector>

class GUI_EditorProp;
class SIM_Prop;
struct TaskTileDef;

class GUI_TaskEditorTile : public GUI_WindowBase
{
public:
    static constexpr int kSubTiles = 16;
    static constexpr uint32_t kSubTileMarkerColour = 0x40FF4040u;

    struct Point
    {
        float x = 0.0f;
        float y = 0.0f;
    };

    // Builds the tile from its record (not owned; the task's): props, floor and its tint by the
    // tile's type, the pallets of a stockpile, the place in the preview.
    void Init(TaskTileDef* record);
    // The floor and the sub-tile markers; the preview draws every floor before any prop.
    void DrawFloor();
    // The props, then those removed since the last draw disappear.
    void DrawProps();
    // Drawn by the preview in its two passes, never on its own.
    void Draw() override {}

    // Stands a new prop of the type on the sub-tile (facing 0); several may share one sub-tile.
    void PlaceProp(SIM_Prop* type, int subTile);
    // Takes the prop off the layout: its record leaves the task and is freed now, so the file
    // and a later turn never see it; the picture goes at the next draw.
    void RemoveProp(GUI_EditorProp* prop);
    void SetFloorTexture(const std::string& name);

    int GetXOffset() const { return m_xOffset; }
    int GetYOffset() const { return m_yOffset; }
    float GetX() const { return m_x; }
    float GetY() const { return m_y; }
    const Point& GetSubTilePoint(int index) const { return m_points[static_cast<size_t>(index & 15)]; }
    const std::vector<GUI_EditorProp*>& GetProps() const { return m_props; }
    bool IsStockpile() const;

    // Points a sprite at a picture by name, through the sprite atlases when it is in one, and
    // over the whole texture otherwise.
    static void SetSpritePicture(CTexturedSprite& sprite, const std::string& name);

private:
    GUI_EditorProp* AddProp(TaskPropDef* record);

    int m_xOffset = 0;
    int m_yOffset = 0;
    CTexturedSprite m_floor;
    float m_x = 0.0f;
    float m_y = 0.0f;
    std::vector<GUI_EditorProp*> m_props;           // sub-windows of the tile, which owns them
    std::vector<GUI_EditorProp*> m_pendingRemovals; // also in m_props until the next draw
    TaskTileDef* m_record = nullptr;
    std::array<Point, kSubTiles> m_points{};
    // A stockpile shows a pallet on every sub-tile; they are the tile's own, never the task's.
    std::array<TaskPropDef, kSubTiles> m_pallets{};
};
