// The game's one answer to what start-up, the frame and shutdown ask of the subsystems above the
// engine. Each subsystem fills in its own section; what is not filled in yet keeps the engine's
// stand-in. Installed by the program's entry before start-up. Main thread only.
#pragma once

#include "engine/GGameServices.h"

class GameServices : public GGameServices
{
public:
    static GameServices& Instance();

    // --- windows (the widget toolkit) ---
    void UpdateWindows() override;
    void DrawWindows() override;
    bool WindowsLeftDown() override;
    bool WindowsRightDown() override;
    void WindowsWheel(bool up) override;
    void WindowsKeyDown(uint32_t virtualKey) override;
    void CloseAllWindows() override;

private:
    GameServices() = default;
};
