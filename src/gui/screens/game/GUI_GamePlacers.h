// The placement tools as the in-game mode routes input to them: the conveyor tool, the
// slot-chain tool, the slot placer and the facility placer, and the delete mode. By default these
// are the game's own tools; tests install their own to watch the order of the calls. Main thread.
#pragma once

class GUI_GamePlacers
{
public:
    virtual ~GUI_GamePlacers() = default;

    // Left button down after the windows: true when a tool took the click (the view then does
    // not see it).
    virtual bool OnLeftDown();
    // Left button up: a conveyor or chain drag is built.
    virtual void OnLeftUp();
    // Right button down before anything else: drag tools disarmed and a drag under way dropped
    // unbuilt, waiting objects dropped, delete mode off; true when a tool was in hand (armed,
    // dragging, waiting or delete mode), which ends the right click.
    virtual bool OnRightDown();
    // Middle button and R: the waiting slot and the waiting facility turn.
    virtual void RotatePlacers();
    // Escape: as the right button; true when a tool was in hand, which ends the key (the build
    // menu and the dialogs stay).
    virtual bool OnEscape();
    // The ghosts at the mouse, after the scene and before the windows.
    virtual void DrawGhosts();
    // A slot or facility is waiting to be placed, or a drag is under way (the autosave waits).
    virtual bool IsBusy();
    // Every tool disarmed and every waiting object dropped (the in-game menu, a savegame load).
    virtual void CancelAll();
    // Everything off and forgotten (leaving the game).
    virtual void Reset();

    // The tools the game routes to (never null).
    static GUI_GamePlacers& Get();
    // Replaces them (null puts the game's own back). The caller keeps ownership.
    static void Install(GUI_GamePlacers* placers);
};
