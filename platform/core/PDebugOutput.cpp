// Debugger output to standard error.
#include "platform/core/PDebugOutput.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

void PDebugOutput::Write(const char* text)
{
    if (!text)
        return;
    // One write call per text, so lines from several threads do not mix inside a line.
    size_t left = strlen(text);
    while (left > 0)
    {
        ssize_t n = ::write(STDERR_FILENO, text, left);
        if (n <= 0)
            break;
        text += n;
        left -= static_cast<size_t>(n);
    }
}
