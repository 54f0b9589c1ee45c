// The overhead conveyor over one tile, drawn as up to four arm pieces, one toward each side the
// piece connects to; over a stockpile the arms end in a drop. The tile view owns it while the
// simulation's piece lies there. Main thread, except that the tile job places the arms.
#pragma once

#include "engine/core/GRoster.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/IsometricDrawQueue.h"

#include <cstdint>
#include <optional>
#include <vector>

class TileUnderfoot;
class SIM_ResourceConveyor;
struct FactoryFrameView;

class GUI_ResourceConveyor
{
public:
    GUI_ResourceConveyor(SIM_ResourceConveyor* conveyor, const TileUnderfoot* tile);
    ~GUI_ResourceConveyor();
    GUI_ResourceConveyor(const GUI_ResourceConveyor&) = delete;
    GUI_ResourceConveyor& operator=(const GUI_ResourceConveyor&) = delete;

    // Main thread, once a frame before the tile jobs: what every arm of one picture shares this
    // frame (its size, trim and texture corners), taken from a live arm of that picture.
    static void PrepareFrame(const FactoryFrameView& view);
    // Every view is about to go with the whole floor (main thread): the live lists are emptied
    // at once instead of each view taking itself off, which would touch the view moved into its
    // place as well as its own, tens of thousands of times on a large floor.
    static void ForgetAllViews();
    // Places the arms of the connected sides for the frame, the tile's centre being at (tileX, tileY)
    // on screen, and makes those on screen ready for the draw queue (the owner tile's job; the
    // main thread appends them when it draws what stands on the tile). Reads only this view's
    // first line and the simulation's piece: the arms' own sprites are not touched.
    void PreDraw(const FactoryFrameView& view, float tileX, float tileY, std::vector<IsometricDrawQueue::Staged>& out);
    // The same for the tile job from what the tile keeps at hand (the simulation's piece, whether
    // the arms end in a drop, the tile's world height): the view itself is only named, not read.
    static void StageArms(GUI_ResourceConveyor* arms, const SIM_ResourceConveyor* conveyor, bool ends,
                          const FactoryFrameView& view, float tileX, float tileY, float tileWorldY,
                          std::vector<IsometricDrawQueue::Staged>& out);
    // How far above the tile's centre line the arms hang, in world units (and so their depth).
    static constexpr float kArmOffsetY = -128.0f;
    bool EndsInDrop() const { return m_ends != 0; }

    SIM_ResourceConveyor* GetConveyor() const { return m_conveyor; }
    // The arm toward a side (0 north-east .. 3 north-west).
    GUI_Prop* GetPiece(int side) { return m_pieces[side] ? &*m_pieces[side] : nullptr; }
    const GUI_Prop* GetPiece(int side) const { return m_pieces[side] ? &*m_pieces[side] : nullptr; }

private:
    // What the arms of one picture share in a frame.
    struct ArmTemplate;
    static ArmTemplate s_templates[2][4];

    // First, in the line the tile job reads: everything a frame needs of the view.
    SIM_ResourceConveyor* m_conveyor = nullptr; // owned by the conveyor manager
    float m_tileWorldY = 0.0f;                  // the tile's centre line
    uint8_t m_ends = 0;                         // 1 over a stockpile: the drop pictures
    bool m_hasArms = false;
    // Where this view stands in the live list of its pictures.
    GRosterPlace m_livePlace;
    std::optional<GUI_Prop> m_pieces[4];
};
