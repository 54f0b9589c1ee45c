// bench-links: fv_engine
// Glyphs per second through the text renderer on the OpenGL back end: about 10,000 glyphs a frame
// spread over three fonts, at native size (point sampling) and scaled.
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GTextureManager.h"
#include "platform/video/PGLDevice.h"

#include "BenchDisplay.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <string>
#include <unistd.h>

namespace
{
bool TextBenchReady()
{
    static bool tried = false, ready = false;
    if (tried)
        return ready;
    tried = true;
    if (chdir(FV_SOURCE_DIR) != 0 || !OpenBenchDisplay(1280, 720))
        return false;
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GFontManager& text = GFontManager::Instance();
    text.Init();
    text.CreateFont(24, 30, 14, 10, "data/fonts/Open Sans Semibold_24.dds.dat", "Open Sans Semibold_24.dds")
        ->m_letterSpacing = 2;
    text.CreateFont(20, 30, 14, 10, "data/fonts/Open Sans Semibold_20.dds.dat", "Open Sans Semibold_20.dds")
        ->m_letterSpacing = 2;
    text.CreateFont(16, 25, 10, 10, "data/fonts/Open Sans Semibold_16.dds.dat", "Open Sans Semibold_16.dds")
        ->m_letterSpacing = -1;
    ready = true;
    return ready;
}

void BenchGlyphs(benchmark::State& state)
{
    if (!TextBenchReady())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    const float scale = state.range(0) ? 0.75f : 1.0f;
    const char* fonts[3] = {"Open Sans Semibold_24.dds", "Open Sans Semibold_20.dds", "Open Sans Semibold_16.dds"};
    const float sizes[3] = {24.0f, 20.0f, 16.0f};
    const std::string line = "Fit chassis, paint, axles and wheels: 12,345 cars sold at 98%";
    int glyphsPerFrame = 0;
    for (char c : line)
        glyphsPerFrame += c != ' ';
    glyphsPerFrame *= 3 * 60;
    GFontManager& text = GFontManager::Instance();
    for (auto _ : state)
    {
        GD3DDevice::Instance().BeginFrame();
        for (int f = 0; f < 3; ++f)
        {
            text.SelectFont(fonts[f], sizes[f] * scale);
            for (int row = 0; row < 60; ++row)
                text.Print(line, 0xFFFFFFFFu, static_cast<float>(f * 20), static_cast<float>(row * 12), 0, 0);
        }
        text.Flush();
        GD3DDevice::Instance().EndFrame();
        glFinish();
    }
    state.counters["glyphs_per_frame"] = glyphsPerFrame;
    state.counters["glyphs_per_second"] = benchmark::Counter(
        static_cast<double>(glyphsPerFrame) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
} // namespace

BENCHMARK(BenchGlyphs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
