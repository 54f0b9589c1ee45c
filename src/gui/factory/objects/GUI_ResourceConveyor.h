// The overhead conveyor over one tile, drawn as up to four arm pieces, one toward each side the
// piece connects to; over a stockpile the arms end in a drop. The tile view owns it while the
// simulation's piece lies there. Main thread, except that the tile job places the arms.
#pragma once

#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/IsometricDrawQueue.h"

#include <optional>
#include <vector>

class GUI_Tile;
class SIM_ResourceConveyor;
struct FactoryFrameView;

class GUI_ResourceConveyor
{
public:
    GUI_ResourceConveyor(SIM_ResourceConveyor* conveyor, GUI_Tile* tile);
    ~GUI_ResourceConveyor();
    GUI_ResourceConveyor(const GUI_ResourceConveyor&) = delete;
    GUI_ResourceConveyor& operator=(const GUI_ResourceConveyor&) = delete;

    // Places the arms of the connected sides for the frame, the tile's centre being at (tileX, tileY)
    // on screen, and makes those on screen ready for the draw queue (the owner tile's job; the
    // main thread appends them when it draws what stands on the tile).
    void PreDraw(const FactoryFrameView& view, float tileX, float tileY, std::vector<IsometricDrawQueue::Staged>& out);

    SIM_ResourceConveyor* GetConveyor() const { return m_conveyor; }
    // The arm toward a side (0 north-east .. 3 north-west).
    GUI_Prop* GetPiece(int side) { return m_pieces[side] ? &*m_pieces[side] : nullptr; }
    const GUI_Prop* GetPiece(int side) const { return m_pieces[side] ? &*m_pieces[side] : nullptr; }

private:
    // First, in the line the tile job asks for ahead of time: it is read before any arm.
    SIM_ResourceConveyor* m_conveyor = nullptr; // owned by the conveyor manager
    // Kept with the view rather than apart: the tile jobs walk thousands of arms every frame.
    std::optional<GUI_Prop> m_pieces[4];
};
