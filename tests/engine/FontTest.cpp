// Bitmap fonts and text layout on the recording device: loading, measuring, wrapping, truncating,
// kerning, tabs, batching and the width generator.
#include "FontTestSupport.h"
#include "RenderTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GTextureManager.h"

#include <cmath>
#include <filesystem>
#include <unistd.h>

class FontTest : public RecordingRenderTest
{
protected:
    void SetUp() override
    {
        RecordingRenderTest::SetUp();
        ASSERT_TRUE(InitDevice());
        LoadGameFontsForTest();
        GFontManager::Instance().SelectFont("Open Sans Semibold_24.dds", 24.0f);
    }
    // x of the left edge of each queued glyph quad (corner 0 plus the half pixel).
    std::vector<float> GlyphLefts() const
    {
        std::vector<float> out;
        GFontManager& f = GFontManager::Instance();
        for (int i = 0; i < f.GetQueuedCount(); i += 4)
            out.push_back(f.GetQueuedVertices()[i].x + 0.5f);
        return out;
    }
    static int Width(char c)
    {
        return GFontManager::Instance().GetCurrentFont()->m_widths[LibFont::CellOf(static_cast<uint8_t>(c))];
    }
};

TEST_F(FontTest, TheFiveFontsLoadWithTheirSheetsAndWidths)
{
    GFontManager& f = GFontManager::Instance();
    ASSERT_EQ(f.GetFonts().size(), 5u);
    const int sheetWidths[5] = {512, 512, 512, 256, 512};
    for (size_t i = 0; i < 5; ++i)
    {
        const LibFont* font = f.GetFonts()[i];
        ASSERT_NE(font->m_texture, nullptr);
        ASSERT_NE(font->m_texture->m_texture, nullptr) << font->GetName();
        EXPECT_GT(font->m_widths[LibFont::CellOf('W')], font->m_widths[LibFont::CellOf('i')]) << font->GetName();
        EXPECT_FLOAT_EQ(font->m_u[1][0], static_cast<float>(kGameFonts[i].cell) / sheetWidths[i]);
        EXPECT_FLOAT_EQ(font->m_v[kGameFonts[i].columns][2],
                        2.0f * kGameFonts[i].cell / (i == 1 ? 1024 : sheetWidths[i]));
    }
    // Glyph map: blanks are real blanks, '%' sits in cell 93, an unmapped character draws cell 0.
    EXPECT_EQ(LibFont::CellOf('!'), 0);
    EXPECT_EQ(LibFont::CellOf('A'), 32);
    EXPECT_EQ(LibFont::CellOf('a'), 64);
    EXPECT_EQ(LibFont::CellOf('%'), 93);
    EXPECT_EQ(LibFont::CellOf(0x8C), 133);
    EXPECT_EQ(LibFont::CellOf(0xFC), 100);
    EXPECT_EQ(LibFont::CellOf('@'), 0);
}

TEST_F(FontTest, SelectingFonts)
{
    GFontManager& f = GFontManager::Instance();
    f.Print("queued", 0xFFFFFFFFu, 0, 0, 100, 0);
    m_rec->Clear();
    f.SelectFont("Open Sans Semibold_24.dds", 30.0f);
    EXPECT_EQ(f.GetTextSize(), 30.0f);
    EXPECT_TRUE(m_rec->draws.empty()) << "the same font with another size flushes nothing";
    f.SelectFont("No Such Font.dds", 12.0f);
    EXPECT_EQ(f.GetCurrentFont()->GetName(), "Open Sans Semibold_24.dds");
    EXPECT_NE(DebugLog().find("missing font: No Such Font.dds"), std::string::npos);
    f.SelectFont("Open Sans Semibold_16.dds", 16.0f);
    EXPECT_EQ(m_rec->draws.size(), 1u) << "changing font draws what the old one queued";
}

TEST_F(FontTest, MeasuringAndPlacingGlyphs)
{
    GFontManager& f = GFontManager::Instance();
    f.SelectFont("Open Sans Semibold_24.dds", 12.0f);
    EXPECT_FLOAT_EQ(f.GetCharWidth(' '), 3.0f);
    EXPECT_FLOAT_EQ(f.GetCharWidth('A'), 0.5f * (Width('A') + 2));
    EXPECT_EQ(f.GetTextWidth("AB"), static_cast<int>(0.5f * (Width('A') + 2) + 0.5f * (Width('B') + 2)));

    // Right alignment of a text exactly as wide as its box starts at x.
    f.SelectFont("Open Sans Semibold_24.dds", 24.0f);
    const int w = f.GetTextWidth("Cars");
    f.Print("Cars", 0xFFFFFFFFu, 40, 10, static_cast<float>(w), 1);
    EXPECT_FLOAT_EQ(GlyphLefts()[0], 40.0f);
    f.Flush();
    f.Print("Cars", 0xFFFFFFFFu, 40, 10, 100, 2);
    EXPECT_FLOAT_EQ(GlyphLefts()[0], std::trunc(40.0f + 50.0f - w / 2.0f));
    f.Flush();

    // Tabs move to the next multiple of 80 strictly past x.
    struct Case
    {
        float x, expected;
    } tabs[] = {{0, 80}, {80, 160}, {79.5f, 80}, {81, 160}};
    for (const Case& c : tabs)
    {
        f.Print("\tA", 0xFFFFFFFFu, c.x, 0, 0, 0);
        EXPECT_FLOAT_EQ(GlyphLefts()[0], c.expected) << c.x;
        f.Flush();
    }
    // The right single quotation mark is drawn as an apostrophe.
    f.Print("\x92", 0xFFFFFFFFu, 0, 0, 0, 0);
    EXPECT_FLOAT_EQ(f.GetQueuedVertices()[0].u, f.GetCurrentFont()->m_u[LibFont::CellOf('\'')][0]);
    f.Flush();
}

TEST_F(FontTest, KerningOnlyBetweenThePairs)
{
    GFontManager& f = GFontManager::Instance();
    f.SelectFont("Open Sans Semibold_24.dds", 48.0f); // scale 2
    f.Print("office", 0xFFFFFFFFu, 0, 0, 0, 0);
    const auto x = GlyphLefts();
    ASSERT_EQ(x.size(), 6u);
    const char* text = "office";
    for (int i = 1; i < 6; ++i)
    {
        const float advance = 2.0f * (Width(text[i - 1]) + 2);
        const float kern = i == 2 ? 2.0f * -2 : 0.0f;
        EXPECT_FLOAT_EQ(x[static_cast<size_t>(i)] - x[static_cast<size_t>(i) - 1], advance + kern) << i;
    }
    f.Flush();
    f.Print("fo ow", 0xFFFFFFFFu, 0, 0, 0, 0);
    const auto y = GlyphLefts();
    EXPECT_FLOAT_EQ(y[1] - y[0], 2.0f * (Width('f') + 2) - 2.0f);
    EXPECT_FLOAT_EQ(y[3] - y[2], 2.0f * (Width('o') + 2) - 2.0f);
    f.Flush();
}

TEST_F(FontTest, OverlongLinesStopAtTheQueueLimit)
{
    GFontManager& f = GFontManager::Instance();
    f.Print(std::string(2000, 'x'), 0xFFFFFFFFu, 0, 0, 0, 0);
    EXPECT_EQ(f.GetQueuedCount(), 999 * 4);
    const std::string log = DebugLog();
    const size_t first = log.find("ERROR - Text exceeds max characters");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("ERROR - Text exceeds max characters", first + 1), std::string::npos);
    m_rec->Clear();
    f.Flush();
    EXPECT_EQ(m_rec->Calls("DrawIndexedPrimitive").size(), 1u) << "all glyphs of a font in one draw";
    // Native size samples the sheet pixel for pixel, then filtering goes back to linear.
    const auto samplers = m_rec->Calls("SetSamplerState 0");
    EXPECT_EQ(samplers, (std::vector<std::string>{"SetSamplerState 0 MinFilter 1", "SetSamplerState 0 MagFilter 1",
                                                  "SetSamplerState 0 MinFilter 2", "SetSamplerState 0 MagFilter 2"}));
}

TEST_F(FontTest, WrappingAndSplitting)
{
    GFontManager& f = GFontManager::Instance();
    EXPECT_EQ(f.PrintWrapped(0xFFFFFFFFu, -1, std::string(2048, 'a'), 0, 100, 300), 100.0f);
    EXPECT_EQ(f.GetQueuedCount(), 0);
    EXPECT_NE(DebugLog().find("Text too long in one chunk (max 2048)"), std::string::npos);
    std::string long2047;
    while (long2047.size() < 2047)
        long2047 += "word ";
    long2047.resize(2047);
    EXPECT_GT(f.PrintWrapped(0xFFFFFFFFu, 2, long2047, 0, 100, 300), 100.0f);
    EXPECT_GT(f.GetQueuedCount(), 0);
    f.Flush();

    // Lines break before the last blank; the line limit holds.
    const std::string text = "Build a chassis line first then paint";
    const float width = static_cast<float>(f.GetTextWidth("Build a chassis"));
    std::string line = text, rest;
    f.SplitLine(width + 1.0f, line, rest);
    EXPECT_EQ(line, "Build a chassis");
    EXPECT_EQ(rest, "line first then paint");
    EXPECT_EQ(f.GetFirstLine(width + 1.0f, text), "Build a chassis");
    EXPECT_FLOAT_EQ(f.PrintWrapped(0xFFFFFFFFu, 1, text, 0, 0, width + 1.0f), 24.0f);
    f.Flush();
    EXPECT_FLOAT_EQ(f.GetWrappedTextHeight(text, width + 1.0f), 3 * 24.0f);

    // A word wider than the line is broken after the last character that fits.
    line = "Supercalifragilistic";
    f.SplitLine(static_cast<float>(f.GetTextWidth("Super")) + 1.0f, line, rest);
    EXPECT_EQ(line, "Super");
    EXPECT_EQ(rest, "califragilistic");
    line = "Wide";
    f.SplitLine(1.0f, line, rest);
    EXPECT_EQ(line, "W");
    EXPECT_EQ(rest, "ide");
    EXPECT_GT(f.GetWrappedTextHeight("Supercalifragilistic", 30.0f), 0.0f);
}

TEST_F(FontTest, Truncating)
{
    GFontManager& f = GFontManager::Instance();
    EXPECT_EQ(f.TruncateToWidth(1000.0f, "Short"), "Short");
    const std::string cut = f.TruncateToWidth(100.0f, "A rather long vehicle design name");
    ASSERT_GE(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(f.GetTextWidth(cut), 100);
    EXPECT_EQ(f.TruncateToWidth(1.0f, "Anything"), "...");
}

TEST_F(FontTest, ALineIsAsHighAsItsAccentsAndDescendersAndIsCentredByThem)
{
    GFontManager& fonts = GFontManager::Instance();
    for (const FontTestEntry& f : kGameFonts)
    {
        SCOPED_TRACE(f.name);
        fonts.SelectFont(f.name, static_cast<float>(f.nativeSize));
        const PRect capital = fonts.MeasureInk("E");
        const PRect low = fonts.MeasureInk("gjpqy");
        const PRect accent = fonts.MeasureInk("\xC4"); // A umlaut, on every sheet
        // The line reaches from the tallest accent to the deepest descender, within the cell.
        EXPECT_LE(fonts.GetLineTop(), static_cast<float>(accent.top));
        EXPECT_GE(fonts.GetLineBottom(), static_cast<float>(low.bottom));
        EXPECT_GE(fonts.GetLineTop(), 0.0f);
        EXPECT_LE(fonts.GetLineBottom(), static_cast<float>(f.cell));
        EXPECT_GT(low.bottom, capital.bottom) << "descenders reach below the capitals";
        EXPECT_LT(accent.top, capital.top) << "accents stand above them";
        // Centred in a row as high as the line, every glyph of a text stays inside the row.
        const float height = fonts.GetLineBottom() - fonts.GetLineTop();
        const float y = fonts.LineYIn(100.0f, height);
        const PRect all = fonts.MeasureInk("\xC4gjpqy");
        EXPECT_GE(y + static_cast<float>(all.top), 100.0f);
        EXPECT_LE(y + static_cast<float>(all.bottom), 100.0f + height);
    }
}

TEST_F(FontTest, ACheckingDeviceHoldsEveryGlyphToTheWindowDrawingIt)
{
    m_rec->textCheck.enabled = true;
    GFontManager& fonts = GFontManager::Instance();
    fonts.SelectFont("Open Sans Semibold_16.dds", 16.0f);
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    const PRect ink = fonts.MeasureInk("Wgy");
    struct Case
    {
        const char* name;
        float x, y;     // where the text is printed
        PRect window;   // the group it is drawn in
        PRect viewport; // what the device draws into
        bool inside;
    };
    const Case cases[] = {
        {"well inside", 100, 100, {50, 50, 300, 300}, {0, 0, 800, 600}, true},
        {"descender over the bottom",
         100,
         static_cast<float>(150 - ink.bottom + 1),
         {50, 50, 300, 150},
         {0, 0, 800, 600},
         false},
        {"ink touching the right edge",
         static_cast<float>(200 - ink.right),
         100,
         {50, 50, 200, 300},
         {0, 0, 800, 600},
         true},
        {"one pixel past the right edge",
         static_cast<float>(201 - ink.right),
         100,
         {50, 50, 200, 300},
         {0, 0, 800, 600},
         false},
        {"past the edge but cut away by the viewport", 100, 100, {50, 50, 120, 300}, {0, 0, 120, 600}, true},
        {"left of the window, hidden by the viewport", 10, 100, {50, 50, 300, 300}, {50, 0, 750, 600}, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_rec->textCheck.Clear();
        device->SetViewport(PViewport{static_cast<uint32_t>(c.viewport.left), static_cast<uint32_t>(c.viewport.top),
                                      static_cast<uint32_t>(c.viewport.right - c.viewport.left),
                                      static_cast<uint32_t>(c.viewport.bottom - c.viewport.top), 0.0f, 1.0f});
        device->BeginGroup("panel", c.window);
        fonts.Print("Wgy", 0xFF000000u, c.x, c.y, 0.0f, 0);
        device->EndGroup();
        fonts.Flush();
        EXPECT_EQ(m_rec->textCheck.findings.empty(), c.inside);
        if (!c.inside && !m_rec->textCheck.findings.empty())
        {
            EXPECT_EQ(m_rec->textCheck.findings.front().window, "panel");
            EXPECT_EQ(m_rec->textCheck.findings.front().text, "Wgy");
        }
    }
    // Outside every window nothing is held to anything, but the text is still seen.
    m_rec->textCheck.Clear();
    device->SetViewport(PViewport{0, 0, 800, 600, 0.0f, 1.0f});
    fonts.Print("loose", 0xFF000000u, -50.0f, -50.0f, 0.0f, 0);
    fonts.Flush();
    EXPECT_TRUE(m_rec->textCheck.findings.empty());
    EXPECT_EQ(m_rec->textCheck.printed, std::vector<std::string>{"loose"});
}

class FontFilesTest : public FontTest
{
protected:
    void SetUp() override
    {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof(here)), nullptr);
        m_oldFolder = here;
        namespace fs = std::filesystem;
        fs::create_directories(m_files.Path("game/data/fonts"));
        fs::create_directories(m_files.Path("game/data/bitmaps/fonts"));
        fs::copy_file("data/bitmaps/fonts/Open Sans Semibold_16.dds",
                      m_files.Path("game/data/bitmaps/fonts/Open Sans Semibold_16.dds"));
        m_shipped = EngineTestFiles::ReadAll("data/fonts/Open Sans Semibold_16.dds.dat");
        RecordingRenderTest::SetUp();
        ASSERT_TRUE(InitDevice());
        ASSERT_EQ(chdir(m_files.Path("game").c_str()), 0);
        GTextureManager::Instance().AddFolder("data/bitmaps");
        GFontManager::Instance().Init();
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir(m_oldFolder.c_str()), 0);
        FontTest::TearDown();
    }
    LibFont* Create()
    {
        return GFontManager::Instance().CreateFont(16, 25, 10, 10, "data/fonts/Open Sans Semibold_16.dds.dat",
                                                   "Open Sans Semibold_16.dds");
    }
    std::string m_oldFolder;
    std::string m_shipped;
};

TEST_F(FontFilesTest, AMissingWidthFileIsMeasuredFromTheSheetLikeTheShippedOne)
{
    LibFont* font = Create();
    EXPECT_NE(DebugLog().find("Error locating font width data"), std::string::npos);
    const std::string written = EngineTestFiles::ReadAll("data/fonts/Open Sans Semibold_16.dds.dat");
    EXPECT_EQ(written.size(), 400u);
    EXPECT_EQ(written, m_shipped);
    EXPECT_GT(font->m_widths[LibFont::CellOf('M')], 0);
    // The listing goes to the debug log, never to the override path.
    EXPECT_FALSE(std::filesystem::exists("data/fonts/Open Sans Semibold_16.dds.txt"));
    EXPECT_NE(DebugLog().find("32,A,"), std::string::npos);
    // The next start reads the widths back unchanged.
    LibFont* again = Create();
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(again->m_widths[i], font->m_widths[i]) << i;
}

TEST_F(FontFilesTest, OverrideLinesAndShortWidthFiles)
{
    const std::string dat = m_shipped.substr(0, 40); // ten widths; the rest read as 0
    m_files.Write("game/data/fonts/Open Sans Semibold_16.dds.dat", dat);
    std::string lines;
    for (int i = 0; i < 12; ++i)
    {
        if (i == 1)
            lines += "Width of char  '\"': 17\n";
        else if (i == 11)
            lines += ",,9\n";
        else if (i == 3)
            lines += "$,21\n";
        else
            lines += std::string(1, static_cast<char>(LibFont::GlyphMap()[static_cast<size_t>(i)])) + "," +
                     std::to_string(i) + "\n";
    }
    m_files.Write("game/data/fonts/Open Sans Semibold_16.dds.txt", lines);
    LibFont* font = Create();
    EXPECT_EQ(font->m_widths[1], 17);
    EXPECT_EQ(font->m_widths[3], 21);
    EXPECT_EQ(font->m_widths[11], 9);
    EXPECT_EQ(font->m_widths[7], 7);
    EXPECT_EQ(font->m_widths[50], 0) << "past a short width file";
}
