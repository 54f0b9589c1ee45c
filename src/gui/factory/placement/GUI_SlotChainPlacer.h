// The tool that lays a chain of conveyor slots along which car bodies move from slot to slot: the
// player drags from a start tile to an end tile, the path finder chooses the route, and at the
// release every free path tile gets a conveyor slot whose task (straight, right or left turn) and
// facing follow the path's bends; conveyor slots the chain runs into are rebuilt to join it. A
// one-tile drag joins the slots around it when a conveyor task fits them, else faces the way the
// mouse moved. Main thread.
#pragma once

#include "gui/factory/placement/PathDrag.h"

#include <vector>

struct GUI_FactoryTools;
class SIM_Tile;

class GUI_SlotChainPlacer
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_SlotChainPlacer& Instance();

    // The flags the tool arms through (the factory view's); without them it is never armed.
    void UseFlags(GUI_FactoryTools* flags) { m_flags = flags; }
    GUI_FactoryTools* GetFlags() const { return m_flags; }
    // The build menu arms the tool; the in-game mode disarms it. A drag under way still builds,
    // unless the player's cancel (right button, Escape) ends it with Reset.
    void Arm();
    void Disarm();
    bool IsArmed() const;
    bool IsDragging() const { return m_drag.IsDragging(); }

    // Left button down: when armed, a drag starts on an open tile under the mouse; the press
    // point is kept for the one-tile facing. The in-game mode goes on with the click whatever
    // happened here.
    void OnLeftDown();
    // Every frame: while dragging, re-plans when the mouse reached another tile and shows the
    // path; else, while armed, the ghost conveyor at the mouse.
    void Update();
    void PlanPath(SIM_Tile* end);
    // Left button up: builds the chain along the planned path, then ends the drag.
    void Commit();

    // The way the mouse moved from the press to the release point, as a floor direction: 1 when
    // it did not move; else by the angle of the movement turned a quarter back, 0..90 degrees
    // giving 0, 90..180 giving 1, and so on.
    static int GetMouseFacing(float startX, float startY, float endX, float endY);

    const std::vector<SIM_Tile*>& GetPath() const { return m_drag.GetPath(); }
    void Reset();

private:
    GUI_SlotChainPlacer() = default;
    void DrawHover(const SIM_Tile* tile) const;

    PathDrag m_drag;
    GUI_FactoryTools* m_flags = nullptr; // not owned: the factory view's
    float m_pressX = 0.0f;
    float m_pressY = 0.0f;
};
