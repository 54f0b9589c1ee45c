// A plain screen standing in for one the game has not built yet: it clears the window and
// shows its own name, so every mode name the program switches to leads somewhere.
#pragma once
#include "engine/GGameMode.h"

#include <string>

class GPlaceholderMode : public GGameMode
{
public:
    // Builds (once) and registers the stand-in for name; returns it.
    static GPlaceholderMode& ForName(const std::string& name);

    explicit GPlaceholderMode(const std::string& name);
    void Draw() override;
    void Process() override;
    void Enter() override;
    // Clicks, wheel and keys go to the windows open over the screen.
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    void OnKeyDown(uint32_t virtualKey) override;

    int GetEnterCount() const { return m_enterCount; }

private:
    int m_enterCount = 0;
};
