// The screen a mode name leads to when the game's own screens are not installed (engine tests
// and tools): it clears the window and shows its name, and hands input to the open windows.
#pragma once
#include "engine/GGameMode.h"

#include <string>

class GHeadlessMode : public GGameMode
{
public:
    // Builds (once) and registers the screen for name; returns it.
    static GHeadlessMode& ForName(const std::string& name);

    explicit GHeadlessMode(const std::string& name);
    void Draw() override;
    void Process() override;
    // Clicks, wheel and keys go to the windows open over the screen.
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    void OnKeyDown(uint32_t virtualKey) override;
};
