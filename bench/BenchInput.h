// The mouse of a drawing benchmark.
#pragma once

#include "engine/CBaseInputManager.h"

// Rests at one point, so no frame's cost depends on where a real mouse would wander; each frame
// clears who took the mouse, as the game's input does.
class BenchInput : public CBaseInputManager
{
public:
    BenchInput(float x, float y)
    {
        SetPointerSource([x, y](float& px, float& py) {
            px = x;
            py = y;
        });
    }
    void Update() override
    {
        m_takingWindow = nullptr;
        UpdateMouse();
        m_mouseTaken = false;
    }
};
