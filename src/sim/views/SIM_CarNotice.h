// The notice over a car that cannot move on: why no next slot was found. Owned by the car;
// headless there is none.
#pragma once
#include <string>

class SIM_CarNotice
{
public:
    // Kinds: 0 none, 1 next slot not found, 2 next slot not connected, 3 requirements not met
    // (shown with the detail: the display name of the missing task).
    enum Kind
    {
        NONE = 0,
        NEXT_SLOT_NOT_FOUND = 1,
        NEXT_SLOT_NOT_CONNECTED = 2,
        NEXT_SLOT_REQS_NOT_MET = 3
    };

    virtual ~SIM_CarNotice() = default;
    virtual void UpdateText(int kind, const std::string& detail)
    {
        (void)kind;
        (void)detail;
    }
};
