// The game's input manager: keeps the mouse state and hands every button, wheel, key and
// character to the current game mode; Print Screen always takes a screenshot instead.
#pragma once
#include "engine/CBaseInputManager.h"

class CInput : public CBaseInputManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static CInput& Instance();

    void Update() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    void OnLeftDown() override;
    void OnLeftUp() override;
    void OnRightDown() override;
    void OnMiddleDown() override;
    void OnKeyDown(uint32_t virtualKey) override;
    void OnChar(uint32_t character) override;

private:
    CInput();
};
