// A bank a caller could pick sounds from by kind. The game names its sound files directly, so
// the sound manager's banks stay empty.
#pragma once

class GUI_SoundBank
{
public:
    virtual ~GUI_SoundBank() = default;
};
