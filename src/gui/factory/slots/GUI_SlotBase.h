// The view of a slot standing on the factory floor (production slots and facilities): the floor
// tiles that carry it, its animated props, its name label and zoom-out icon, hover and clicks.
// The slot owns its view (as its SIM_SlotView); the props belong to their tiles.
//
// The simulation drives it: the slot starts its props when it starts working and stops them when
// it stops, refreshes the facing-dependent floors when it turns, and rebuilds the animated-prop
// lists after an upgrade added props. Main thread.
#pragma once

#include "engine/core/GRoster.h"
#include "gui/factory/scene/FloorSlotView.h"
#include "sim/views/SIM_SlotView.h"

#include <memory>
#include <string>
#include <vector>

struct GUI_FactoryTools;
class GUI_AnimatedProp;
class GUI_SimpleAnimProp;
class GUI_Tile;
class GUI_ZoomOutSlot;
class IsometricDrawQueue;
class SIM_PlaceableSlot;
class SIM_Tile;
class SlotTextLabel;
class SlotViewRoll;

class GUI_SlotBase : public SIM_SlotView, public FloorSlotView
{
public:
    explicit GUI_SlotBase(SIM_PlaceableSlot* slot);
    // Frees the zoom-out icon and the label (and the shared label pointers naming it), and lets
    // go of its tiles.
    ~GUI_SlotBase() override;
    GUI_SlotBase(const GUI_SlotBase&) = delete;
    GUI_SlotBase& operator=(const GUI_SlotBase&) = delete;

    // --- what the simulation asks (SIM_SlotView) ---
    void StartAnimations() override;
    void StopAnimations() override;
    void RebuildAnimatedProps() override;
    void BuildTiles() override { RefreshFacingSprites(); }
    void Refresh() override { CollectAnimatedProps(); }
    void ClearPropLinks() override;
    bool HasMainTile() const override { return m_placed && m_mainTile != nullptr; }

    // --- the view's own operations ---
    bool OnClick(float x, float y) override;
    void DrawOnFloor(IsometricDrawQueue& queue) override;
    void Update() override;
    virtual bool IsMouseOver() const;
    // One tile of the footprint gets its floor picture and joins the view.
    virtual void SetFloorTexture(GUI_Tile* tile, const std::string& texture);
    // Each prop on the slot's tiles starts 64 to 128 pixels above its place and falls into it.
    virtual void RandomisePropTimers();
    virtual void CollectAnimatedProps() {}
    virtual void CreateZoomOutIcon() {}
    virtual void RefreshFacingSprites() {}
    // The slot overlay of the in-game mode (which tints the floor by a slot figure); 3 is none.
    virtual void ApplyOverlay(int mode) { (void)mode; }

    // The name label over the top tile of the footprint; a label made before is freed.
    void CreateNameLabel(const std::string& text);
    // This frame the mouse is over the slot: its label is the one shown.
    void ShowNameLabel();
    // Sets the outline request of the main tile and of every tile.
    void RequestOutlines();

    SIM_PlaceableSlot* GetSimSlot() const { return m_slot; }
    GUI_Tile* GetMainTileView() const;
    const std::vector<GUI_AnimatedProp*>& GetAnimatedProps() const { return m_animatedProps; }
    bool IsAnimating() const { return m_animating; }
    void SetPlaced(bool placed) { m_placed = placed; }
    // The roll the view is listed on (set by the roll; null: on none).
    void SetRoll(SlotViewRoll* roll) { m_roll = roll; }
    SlotViewRoll* GetRoll() const { return m_roll; }
    // The tools of the view whose roll lists this one: what a click opens (set by the roll; null
    // on none).
    void SetTools(GUI_FactoryTools* tools) { m_tools = tools; }
    GUI_FactoryTools* GetTools() const { return m_tools; }
    SlotTextLabel* GetLabel() const { return m_label.get(); }
    GUI_ZoomOutSlot* GetZoomOutIcon() const { return m_zoomOut.get(); }

protected:
    // The animated props of the slot's tiles: DURINGWORK ones listed, every one shown at its first
    // frame and waiting.
    void GatherTileAnimatedProps();
    void MakeZoomOutIcon();

    std::vector<GUI_AnimatedProp*> m_animatedProps; // not owned: their tiles'
    bool m_animating = false;
    std::vector<GUI_SimpleAnimProp*> m_simpleProps; // not owned: their tiles'
    bool m_placed = true;
    std::unique_ptr<SlotTextLabel> m_label;
    std::unique_ptr<GUI_ZoomOutSlot> m_zoomOut;
    SIM_PlaceableSlot* m_slot = nullptr; // owns this view
    SlotViewRoll* m_roll = nullptr;
    GUI_FactoryTools* m_tools = nullptr; // not owned: the factory view's

private:
    friend class SlotViewRoll; // keeps m_rollPlace
    GRosterPlace m_rollPlace;  // on the roll's list of slot views
};
