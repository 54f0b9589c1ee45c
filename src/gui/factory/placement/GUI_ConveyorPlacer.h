// The tool that lays overhead resource conveyors: the player drags from a start tile to an end
// tile, the path finder chooses the route (over free tiles and conveyor slots, not through other
// slots), and the release lays a piece on every path tile that has none, each paid (more over a
// slot), then every conveyor reconnects and every resource route is searched again. It stays
// armed after each drag until the in-game mode disarms it. While a drag is under way the factory
// view shows its conveyor view (when the option asks for it). Main thread.
#pragma once

#include "gui/factory/placement/PathDrag.h"

#include <vector>

struct GUI_FactoryTools;
class SIM_Tile;

class GUI_ConveyorPlacer
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_ConveyorPlacer& Instance();

    // The flags the tool arms and shows its conveyor view through (the factory view's); without
    // them it is never armed.
    void UseFlags(GUI_FactoryTools* flags) { m_flags = flags; }
    GUI_FactoryTools* GetFlags() const { return m_flags; }
    // The build menu arms the tool; the in-game mode disarms it (right button, in-game menu,
    // another task picked). A drag under way goes on and is built at the release, unless the
    // player's cancel (right button, Escape) ends it with Reset.
    void Arm();
    void Disarm();
    bool IsArmed() const;
    // A drag is under way (the autosave waits, the view's clicks and tiles stand aside).
    bool IsDragging() const { return m_drag.IsDragging(); }

    // Left button down: when armed, a drag starts on an open tile under the mouse. True whenever
    // armed: the click is the tool's even where no drag starts.
    bool OnLeftDown();
    // Every frame: while dragging, re-plans when the mouse reached another tile and shows the path;
    // else, while armed, the ghost piece at the mouse.
    void Update();
    // The route from the drag's start to the end tile (none when the end lies in a locked zone).
    void PlanPath(SIM_Tile* end);
    // Left button up: lays the planned path, then ends the drag.
    void Commit();
    // What a piece costs on the tile: more over a slot.
    static float GetTileCost(const SIM_Tile* tile);

    const std::vector<SIM_Tile*>& GetPath() const { return m_drag.GetPath(); }
    // Ends a drag without building (leaving the game).
    void Reset();

private:
    GUI_ConveyorPlacer() = default;
    void DrawHover(const SIM_Tile* tile) const;

    PathDrag m_drag;
    GUI_FactoryTools* m_flags = nullptr; // not owned: the factory view's
};
