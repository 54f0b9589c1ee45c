// Keeps number formatting and parsing in the "C" locale: data files, config.txt and the
// interface all write "0.33" and read "1.5"; a comma-decimal desktop locale would otherwise
// make "%.2f" write "0,33" and atof("1.5") read 1.
#pragma once

class PLocale
{
public:
    // Puts the whole process back in the "C" locale (after any library that changed it).
    static void ForceC();
    // True when the numeric locale is "C" (or its alias "POSIX").
    static bool IsC();
};
