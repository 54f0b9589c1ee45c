// The game's fonts for the text tests.
#include "FontTestSupport.h"

#include "engine/GFontManager.h"
#include "engine/GTextureManager.h"

const FontTestEntry kGameFonts[5] = {
    {"Open Sans Semibold_24.dds", 24, 30, 14, 10, 2},         {"Open Sans ExtraBold_36.dds", 36, 45, 14, 10, 2},
    {"Open Sans Semibold_20.dds", 20, 30, 14, 10, 2},         {"Open Sans Semibold_16.dds", 16, 25, 10, 10, -1},
    {"Open Sans Semibold_20_onblack.dds", 20, 30, 14, 10, 2},
};

void LoadGameFontsForTest()
{
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GFontManager& fonts = GFontManager::Instance();
    fonts.Init();
    for (const FontTestEntry& f : kGameFonts)
    {
        LibFont* font = fonts.CreateFont(f.nativeSize, f.cell, f.rows, f.columns,
                                         std::string("data/fonts/") + f.name + ".dat", f.name);
        font->m_letterSpacing = f.spacing;
    }
}
