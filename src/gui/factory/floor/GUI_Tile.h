// The view of one floor tile: its floor picture and tint, the props standing on it, the back walls
// where it borders the outside, the overhead conveyor over it, and the one-frame outline and
// conveyor-view marks. The factory view owns one per simulation tile, in the simulation's order;
// the simulation tile points back at it (as its SIM_TileView).
//
// A floor of 999 x 999 tiles has a million of these, so a tile keeps only what every tile needs;
// props, walls and the conveyor live in a part made for the tiles that have them.
//
// Threads: the tile jobs of a frame read the tiles' cells and write the screen position and the
// on-screen mark of the tiles on screen that show more than their floor (and than conveyor arms);
// everything else runs on the main thread.
#pragma once

#include "gui/factory/props/PropPlacement.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/TileUnderfoot.h"
#include "sim/views/SIM_TileView.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CLoadedTexture;
class FloorTileBatch;
struct GUI_FactoryTools;
class GUI_Prop;
class GUI_ResourceConveyor;
class FloorSlotView;
class GUI_TileWall;
class SIM_Factory;
class SIM_Prop;
class SIM_ResourceConveyor;
class SIM_Tile;
struct PVertex;

// What the tile jobs read of every tile they pass, kept apart from the tiles, in the floor's
// order: zoomed far out a frame passes tens of thousands of tiles, most of which show nothing but
// their floor, and these few bytes are all it reads of them. The tile keeps its cell up to date.
struct FloorCell
{
    uint32_t colour = 0xFFFFFFFFu;
    uint16_t batch = 0; // the floor batch's number + 1; 0 when the picture has none
    bool busy = false;  // HasObjects
    // Nothing over the floor but an overhead conveyor's arms (no walls, props, slot or outline):
    // the tile's arms, in the cell's FloorArms, are all the frame needs of it.
    bool armsOnly = false;
};
// Beside each cell: the overhead conveyor over an arms-only tile, read only for those.
struct FloorArms
{
    GUI_ResourceConveyor* view = nullptr;
    SIM_ResourceConveyor* conveyor = nullptr;
    bool ends = false;
};

class GUI_Tile : public SIM_TileView, public TileUnderfoot
{
public:
    GUI_Tile();
    ~GUI_Tile() override;
    GUI_Tile(const GUI_Tile&) = delete;
    GUI_Tile& operator=(const GUI_Tile&) = delete;

    // The view of a simulation tile; null for none (no floor view built, or no tile).
    static GUI_Tile* ViewOf(const SIM_Tile* tile);
    // The simulation tile under the mouse on the game's camera; null off the floor or with no
    // input or game.
    static SIM_Tile* SimTileUnderMouse();

    // --- what the simulation asks (SIM_TileView) ---
    void RandomiseFloorTint() override;
    void SetFloorTexture(const char* textureName) override;
    // A stored object's picture: height and width at zoom 1 are the resource's size value.
    void AddProp(bool flag, const char* spriteName, float height, float width, float offsetX, float offsetY) override;
    // The last still prop at exactly that offset that is not a pallet goes, and is deleted.
    void RemovePropAt(float x, float y) override;
    void ClearProps() override;

    // Links both ways, tints the floor (dark outside the zones) and builds the back walls where the
    // tile borders the outside on its north-east or north-west edge.
    void InitFromSimTile(SIM_Tile* tile, const SIM_Factory& factory);
    void SetFloorTexture(const std::string& name);
    void SetFloorTextureByValue(const std::string& name) { SetFloorTexture(name); }
    // A fresh grey 245..254 (translucent on a locked zone's tile), then the picture.
    void SetFloorTextureTinted(const std::string& name);
    void EnsureWall(int side);

    GUI_Prop* AddPlainProp(bool mirrored, const std::string& texture, float height, float width, float offsetX,
                           float offsetY);
    // A pallet of the prop type on each of the sixteen places (stockpile floors); kept pallets are
    // passed over when stored objects are taken away.
    void AddPallets(const SIM_Prop& pallet, bool keep);
    // An animated, simple-animation or plain prop by the placement's prop type.
    GUI_Prop* AddTypedProp(const PropPlacement& placement, int slotFacing);
    // Takes the last prop at exactly that offset that is not a pallet off the tile; null when none.
    std::unique_ptr<GUI_Prop> UnlinkPropAt(float x, float y);
    const std::vector<std::unique_ptr<GUI_Prop>>& GetProps() const;

    // Whether the mouse is over the floor diamond (not only its box) this frame.
    bool IsMouseOver(float mouseX, float mouseY) const;
    bool IsMouseOver() const;

    // --- the frame, in the factory view's order ---
    // Where the centre of the tile at (row, column) is on screen in the frame, as the tile jobs
    // place it; and whether the tile's quad then shows (256 pixels of slack below the screen).
    static void ScreenPosition(const FactoryFrameView& view, int row, int column, float& x, float& y)
    {
        // Where the simulation puts the tile: 256 (x - y), 128 (x + y).
        x = view.ToScreenX(256.0f * static_cast<float>(row - column));
        y = view.ToScreenY(128.0f * static_cast<float>(row + column));
    }
    static bool IsQuadOnScreen(const FactoryFrameView& view, float x, float y);
    // The tile job, for a tile on screen with more than its floor to show (or a floor picture
    // without a batch): keeps the screen position (x, y) for the frame and places the plain props.
    // Other tiles are never written by the jobs; their position is worked out when asked for.
    void Transform(const FactoryFrameView& view, float x, float y, int frame);
    // The same position kept for a tile on screen the main thread walks (main thread, after the
    // frame's jobs).
    void KeepScreenPosition(float x, float y, int frame)
    {
        m_screenX = x;
        m_screenY = y;
        m_visibleFrame = frame;
    }
    // The cell and arms the tile keeps up to date (the factory view's, in the floor's order), or
    // none.
    void AttachCell(FloorCell* cell, FloorArms* arms);
    // Whether the frame has more to do for the tile than its floor: walls, props, a conveyor, a
    // slot standing on it or an outline.
    bool HasObjects() const { return m_extras != nullptr || m_anchor != nullptr || m_outlineRequested; }
    void QueueWalls(const FactoryFrameView& view, IsometricDrawQueue& queue);
    // Whether drawing the tile asks more of the main thread than appending its conveyor arms:
    // walls, a slot's floor things, props shown at this zoom (the tile's job).
    bool NeedsMainThreadDraw(const FactoryFrameView& view) const;
    // What stands on the tile into the queue: the slot's floor things, the conveyor arms the
    // tile's job staged (count of them at staged), the props.
    void DrawObjects(const FactoryFrameView& view, IsometricDrawQueue& queue, const IsometricDrawQueue::Staged* staged,
                     size_t count);
    // Outline edges (when asked for this frame) and the conveyor view's marks; the conveyor
    // overlay picture is the shared batch's texture.
    void DrawConveyorOverlay(const FactoryFrameView& view, bool conveyorMode);
    void DrawOutlineEdge(int side) const;
    void DrawConveyorModeOverlay() const;
    // The floor quad at this frame's position: corners top-left, top-right, bottom-left,
    // bottom-right, with the floor colour and the whole picture.
    void FloorQuad(PVertex out[4]) const;

    // A left click on the tile: the slot standing there takes it, a locked zone's tile offers the
    // zone. A drag tool armed in the tools leaves the click to the tool.
    bool OnClick(float x, float y, const GUI_FactoryTools& tools);
    void Update();

    // --- state ---
    GUI_Tile* GetAnchor() const { return m_anchor; }
    void SetAnchor(GUI_Tile* anchor)
    {
        m_anchor = anchor;
        SyncCell();
    }
    // The view of the slot whose floor this tile carries (set and cleared by that view).
    FloorSlotView* GetSlotView() const { return m_slotView; }
    void SetSlotView(FloorSlotView* view)
    {
        m_slotView = view;
        SyncCell();
    }
    // This frame's screen position of the tile centre, and whether the tile shows in the frame.
    float GetScreenX() const { return m_visibleFrame == s_frame ? m_screenX : PlaceNow().x; }
    float GetScreenY() const { return m_visibleFrame == s_frame ? m_screenY : PlaceNow().y; }
    bool IsOnScreen() const { return s_frame != 0 && (m_visibleFrame == s_frame || PlaceNow().onScreen); }
    uint32_t GetFloorColour() const { return m_floorColour; }
    void SetFloorColour(uint32_t colour)
    {
        m_floorColour = colour;
        SyncCell();
    }
    CLoadedTexture* GetFloorTexture() const { return m_floorTexture; }
    std::string GetFloorTextureName() const;
    FloorTileBatch* GetBatch() const { return m_batch; }
    GUI_TileWall* GetWall(int side) const;
    void RequestOutline()
    {
        m_outlineRequested = true;
        SyncCell();
    }
    bool IsOutlineRequested() const { return m_outlineRequested; }
    GUI_ResourceConveyor* GetConveyorView() const { return m_conveyorView; }
    // The simulation's conveyor piece under that view, kept with the tile so the tile jobs need not
    // visit the view itself; and whether its arms end in a drop.
    SIM_ResourceConveyor* GetArmsConveyor() const { return m_armsConveyor; }
    bool ArmsEnd() const { return m_armsEnd; }
    void SetConveyorView(std::unique_ptr<GUI_ResourceConveyor> view);
    std::unique_ptr<GUI_ResourceConveyor> TakeConveyorView();
    // The slot standing on the tile, through its view; null when none or headless.
    FloorSlotView* GetOccupantView() const;

    // The frame the tiles' on-screen marks and screen positions belong to, and its camera (main
    // thread, before the frame's tile jobs).
    static void SetFrame(int frame, const FactoryFrameView& view);

private:
    struct Extras;
    Extras& GetExtras();
    // The position of a tile the frame's jobs did not keep, worked out from its place on the grid
    // (any thread: nothing is written).
    struct Place
    {
        float x, y;
        bool onScreen;
    };
    Place PlaceNow() const;
    void SyncCell()
    {
        if (m_cell)
            WriteCell();
    }
    void WriteCell();
    void SortProps();

    GUI_Tile* m_anchor = nullptr;             // the main tile of the slot whose floor this is
    FloorSlotView* m_slotView = nullptr;      // that slot's view; the slot owns it
    CLoadedTexture* m_floorTexture = nullptr; // shared handle
    FloorTileBatch* m_batch = nullptr;        // owned by the floor tile manager
    std::unique_ptr<Extras> m_extras;         // props, walls and conveyor; null while the tile has none
    // The conveyor view kept in the extras, at hand: the tile jobs look for it on every busy tile.
    GUI_ResourceConveyor* m_conveyorView = nullptr;
    SIM_ResourceConveyor* m_armsConveyor = nullptr;
    FloorCell* m_cell = nullptr; // the factory view's
    FloorArms* m_arms = nullptr; // the factory view's
    float m_screenX = 0.0f;
    float m_screenY = 0.0f;
    uint32_t m_floorColour = 0xFFFFFFFFu;
    int m_visibleFrame = 0;
    // The simulation tile's place on the grid, at hand for working out the screen position.
    uint16_t m_row = 0;
    uint16_t m_column = 0;
    bool m_outlineRequested = false;
    bool m_hasWalls = false;
    bool m_armsEnd = false;

    static inline int s_frame = 0;
    static FactoryFrameView s_view;
};

// Corners of the tile quad centred at (x, y) for a zoom, as a sprite would place them.
void TileQuadCorners(float x, float y, float zoom, float& left, float& top, float& right, float& bottom);
