// A block of text lines on some screen that the simulation can describe things into.
#pragma once

#include <string>

class SIM_TextBlock
{
public:
    virtual ~SIM_TextBlock() = default;
    // Appends one line and marks the block for re-layout.
    virtual void AppendLine(const std::string& line) = 0;
};
