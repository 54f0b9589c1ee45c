// The one door to the placement tools for the build menu and the in-game mode.
//
// The build menu starts a placement with StartPlacing(task) (or by task name): an overhead
// conveyor ("task_resource_conveyor") arms the conveyor tool, a conveyor chain ("task_conveyor")
// the slot-chain tool, any other production task the slot placer, a facility the facility placer.
// Every tool is disarmed and every waiting slot dropped first, and delete mode goes off. The
// build menu plays its own select sound. The delete row (GUI_BulldozerTask) switches delete mode
// on with SetDeleteMode(true).
//
// The in-game mode routes input through the calls below, in this order per event:
//   left button down: window manager, then OnLeftDown(); false passes it on to
//                     GUI_Factory::OnClick;
//   left button up:   OnLeftUp();
//   right button down: OnRightDown() first; true (a tool was in use) ends the handling, else the
//                     window manager, then GUI_Factory::OnRightClick;
//   middle button, R: RotatePlacers();
//   Escape:           OnEscape(); true (a tool was in hand) ends, else the top dialog closes;
//   each frame, after the scene and floating values, before the windows: DrawGhosts().
// Leaving the game: Reset(). The factory view hands the tools its flags (UseFlags) when it is
// made; until then no tool reads as armed and delete mode as off. Main thread.
#pragma once

#include <string>

struct GUI_FactoryTools;
class SIM_BaseTask;

class GUI_PlacementTools
{
public:
    // --- the factory view ---
    // The flags the tools arm, the conveyor view and delete mode are written to.
    static void UseFlags(GUI_FactoryTools* flags);
    // The view goes: the tools that still exist let go of these flags (none is made for it).
    static void ForgetFlags(const GUI_FactoryTools& flags);

    // --- the build menu ---
    static void StartPlacing(const SIM_BaseTask* task);
    // The production task or, failing that, the facility of that name; false when none exists.
    static bool StartPlacing(const std::string& taskName);
    // Every tool disarmed, every waiting slot or facility dropped (a drag under way still builds
    // at the release).
    static void CancelAll();
    static void SetDeleteMode(bool on);
    static bool IsDeleteMode();

    // --- the in-game mode ---
    // Conveyor tool, slot-chain tool, slot placer, facility placer: true when one of them took
    // the click.
    static bool OnLeftDown();
    // Builds what a conveyor or chain drag covered.
    static void OnLeftUp();
    // A tool in hand: a conveyor or chain tool armed or dragging, a slot or facility waiting, or
    // delete mode on.
    static bool IsToolArmed();
    // Disarms the drag tools and drops a drag under way unbuilt, drops waiting slots and switches
    // delete mode off; true when a tool was in hand (IsToolArmed), which ends the right click.
    static bool OnRightDown();
    // The slot placer's and the facility placer's waiting objects turn.
    static void RotatePlacers();
    // As OnRightDown: true when a tool was in hand, which ends the key.
    static bool OnEscape();
    // The ghosts: slot placer, conveyor tool, slot-chain tool, facility placer.
    static void DrawGhosts();
    // A conveyor or chain drag is under way (the autosave waits for it).
    static bool IsDragging();
    // Everything off and forgotten (leaving the game, tests).
    static void Reset();
};
