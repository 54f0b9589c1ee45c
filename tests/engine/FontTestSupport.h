// The five fonts of the game, loaded as start-up loads them, for the text tests.
#pragma once

#include <string>

struct FontTestEntry
{
    const char* name;
    int nativeSize, cell, rows, columns, spacing;
};

extern const FontTestEntry kGameFonts[5];

// Registers data/bitmaps (relative to the working folder), initialises the text renderer and
// creates the five fonts with their width files from data/fonts.
void LoadGameFontsForTest();
