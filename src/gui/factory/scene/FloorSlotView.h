// A slot's view as the floor, its props and its zoom-out icon see it: the tiles it stands on, the
// tile it is anchored to, whether it is near the camera this frame, and what a click, an update
// and a frame on its main tile ask of it. The slot views are built on it, above the floor, so the
// floor reaches them through this face alone. Main thread.
#pragma once

#include <vector>

class GUI_Tile;
class IsometricDrawQueue;
class SIM_Tile;

class FloorSlotView
{
public:
    virtual ~FloorSlotView() = default;

    // A click on one of its tiles; true when taken.
    virtual bool OnClick(float x, float y) = 0;
    // What stands on the slot's floor this frame (its main tile is on screen).
    virtual void DrawOnFloor(IsometricDrawQueue& queue) = 0;
    virtual void Update() = 0;
    // The slot's info dialog, where it has one.
    virtual void OpenTooltip() {}

    const std::vector<GUI_Tile*>& GetTiles() const { return m_tiles; }
    SIM_Tile* GetMainTile() const { return m_mainTile; }
    void SetMainTile(SIM_Tile* tile) { m_mainTile = tile; }
    bool IsNearCamera() const { return m_nearCamera; }
    void SetNearCamera(bool near) { m_nearCamera = near; }

protected:
    FloorSlotView() = default;
    FloorSlotView(const FloorSlotView&) = delete;
    FloorSlotView& operator=(const FloorSlotView&) = delete;

    std::vector<GUI_Tile*> m_tiles; // not owned: the factory view's
    SIM_Tile* m_mainTile = nullptr; // owned by the floor
    bool m_nearCamera = false;
};
