// bench-links: fv_toolkit
// Effects on the OpenGL back end (software GL under Xvfb in CI): a frame of 50 emitters of 256
// particles each, compiling a 300-frame 512 x 512 animation, and a frame of 200 animated props
// drawing their cells from the compiled sheet. Times are wall-clock.
#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "gui/toolkit/effects/GUI_AnimationCompressor.h"
#include "gui/toolkit/effects/GUI_CompressedAnimation.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"

#include "BenchDisplay.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
constexpr int kBenchFrames = 300;
constexpr int kBenchSide = 512;

std::string BenchFolder()
{
    static const std::string folder = [] {
        char tmpl[] = "/tmp/fv_bench_effects_XXXXXX";
        const char* made = mkdtemp(tmpl);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

bool BenchEffectsReady()
{
    static bool tried = false, ready = false;
    if (tried)
        return ready;
    tried = true;
    GDebugLog::Instance().Open(BenchFolder());
    ready = OpenBenchDisplay(1280, 720);
    if (!ready)
        return false;
    SharedVertexBatch().Create(8000);
    GRandom::Init();
    GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 64, 64, PFormat::A8R8G8B8);
    GUI_TextureCache::CreateRenderTargets(1280, 720);
    GTextureManager::Instance().AddFolder(std::string(FV_SOURCE_DIR) + "/data/bitmaps");
    GUI_TextureCache::Init();
    GUI_PostProcessor::Init(1280, 720, 1280, 720);
    return true;
}

// A robot-like animation: a static machine along the bottom and an arm that swings over 30 poses
// and back, so frames repeat as a real loop does.
uint32_t BenchFramePixel(int f, int x, int y)
{
    if (y >= 320)
        return 0xFF000000u | static_cast<uint32_t>(60 + (x * 7 + y) % 90) << 16 |
               static_cast<uint32_t>(70 + y % 40) << 8 | 80u;
    const int phase = f % 60, pose = phase < 30 ? phase : 60 - phase;
    const int armX = 64 + pose * 8, armY = 160;
    if (x >= armX && x < armX + 80 && y >= armY && y < armY + 120)
        return 0xFFC08020u + static_cast<uint32_t>(((x - armX) / 10 + (y - armY) / 10) % 2) * 0x00202020u;
    return 0x00000000u;
}

// Registers the 300 frames as textures of the texture manager, as loading their pictures would.
void MakeBenchFrames()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    PImage image;
    image.levels.resize(1);
    PImageLevel& level = image.levels[0];
    level.width = level.height = kBenchSide;
    level.rgba.resize(static_cast<size_t>(kBenchSide) * kBenchSide * 4);
    for (int f = 0; f < kBenchFrames; ++f)
    {
        for (int y = 0; y < kBenchSide; ++y)
            for (int x = 0; x < kBenchSide; ++x)
            {
                const uint32_t c = BenchFramePixel(f, x, y);
                uint8_t* p = &level.rgba[(static_cast<size_t>(y) * kBenchSide + static_cast<size_t>(x)) * 4];
                p[0] = static_cast<uint8_t>(c >> 16);
                p[1] = static_cast<uint8_t>(c >> 8);
                p[2] = static_cast<uint8_t>(c);
                p[3] = static_cast<uint8_t>(c >> 24);
            }
        auto* texture = new GTexture9();
        texture->m_name = GUI_AnimationCompressor::FrameImageName("bench_arm_", f);
        texture->m_width = texture->m_height = kBenchSide;
        device->CreateTextureFromImage(image, &texture->m_texture);
        GTextureManager::Instance().AddTexture(texture);
    }
    std::filesystem::create_directories(BenchFolder() + "/animations");
    std::ofstream(BenchFolder() + "/animations/bench_arm.txt")
        << "[config]\nname = bench_arm\ntotalframes = " << kBenchFrames
        << "\nframe_name = bench_arm_\nwidth = 512\nheight = 512\n";
}

std::string BenchSource()
{
    return BenchFolder() + "/animations/bench_arm.txt";
}

void BenchCompileAnimation(benchmark::State& state)
{
    if (!BenchEffectsReady())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    MakeBenchFrames();
    GUI_AnimationCompressor compressor;
    compressor.SetSheetFolder(BenchFolder() + "/sheets");
    for (auto _ : state)
    {
        std::filesystem::remove(BenchSource() + ".anim");
        if (compressor.CompileAnimation(BenchSource()) != GUI_AnimationCompressor::Result::Compiled)
        {
            state.SkipWithError("the animation was not compiled");
            return;
        }
    }
    state.counters["stored_cells"] = compressor.GetStoredCellCount();
    state.counters["sheet_height"] = compressor.GetSheetHeight();
}

void BenchParticleEmitters(benchmark::State& state)
{
    if (!BenchEffectsReady())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    const int emitters = static_cast<int>(state.range(0));
    std::filesystem::create_directories(BenchFolder() + "/particles");
    // Particles that neither fade nor shrink: every one of the 256 stays alive and is drawn.
    std::ofstream(BenchFolder() + "/particles/place_slot.txt")
        << "[config]\nName = place_slot\nTextureName = loading_gear.dds\nMinXVelocity = 0.5\nMaxXVelocity = 1\n"
           "MinSize = 6\nMaxSize = 12\nXScatter = 60\nYScatter = 30\nInitialParticles = 256\nLifetime = 0\n";
    ClearParticleConfigs();
    LoadParticleConfigs(BenchFolder() + "/particles");
    for (int i = 0; i < emitters; ++i)
        SpawnPlaceSlotParticles(static_cast<float>((i % 10) * 240 - 1100), static_cast<float>((i / 10) * 250 - 600));
    const ParticleView view{0.0f, 0.0f, 0.5f};
    for (auto _ : state)
    {
        GD3DDevice::Instance().BeginFrame();
        UpdateAndDrawParticleEmitters(view);
        GD3DDevice::Instance().EndFrame();
        glFinish();
    }
    int live = 0;
    for (const auto& e : ActiveParticleEmitters())
        live += e->GetLiveCount();
    state.counters["particles_per_frame"] = live;
    ClearParticleConfigs();
}

// Reading the compiled description, as every run's first game start does for each animation.
void BenchLoadCompiledAnimation(benchmark::State& state)
{
    if (!BenchEffectsReady())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    MakeBenchFrames();
    if (!std::filesystem::exists(BenchSource() + ".anim"))
    {
        GUI_AnimationCompressor compressor;
        compressor.SetSheetFolder(BenchFolder() + "/sheets");
        compressor.CompileAnimation(BenchSource());
    }
    for (auto _ : state)
    {
        GUI_CompressedAnimation anim;
        benchmark::DoNotOptimize(anim.Load(BenchSource() + ".anim"));
    }
}

void BenchAnimatedProps(benchmark::State& state)
{
    if (!BenchEffectsReady())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    MakeBenchFrames();
    if (!std::filesystem::exists(BenchSource() + ".anim"))
    {
        GUI_AnimationCompressor compressor;
        compressor.SetSheetFolder(BenchFolder() + "/sheets");
        compressor.CompileAnimation(BenchSource());
    }
    GTextureManager::Instance().AddFolder(BenchFolder() + "/sheets");
    GUI_CompressedAnimation anim;
    if (!anim.Load(BenchSource() + ".anim"))
    {
        state.SkipWithError("no compiled animation");
        return;
    }
    CLoadedTextureRef sheet;
    sheet.SetByName(anim.GetSpriteSheetName());
    const int props = static_cast<int>(state.range(0));
    const float zoom = 0.25f, cell = 64.0f * zoom;
    GVertexBuffer& batch = SharedVertexBatch();
    int tick = 0, cellsDrawn = 0;
    for (auto _ : state)
    {
        GD3DDevice::Instance().BeginFrame();
        batch.SetTexture(&sheet);
        cellsDrawn = 0;
        for (int i = 0; i < props; ++i)
        {
            const CompressedAnimFrame& frame = anim.GetFrame((tick + i * 7) % anim.GetFrameCount());
            const float left = static_cast<float>((i % 20) * 64), top = static_cast<float>((i / 20) * 72);
            for (int p = 0; p < CompressedAnimFrame::kCells; ++p)
            {
                const int32_t c = frame.cells[static_cast<size_t>(p)];
                if (c == -1)
                    continue;
                const CompressedAnimChunk* k = anim.FindChunk(c);
                if (!k)
                    continue;
                const float l = left + static_cast<float>(p % 8) * cell, t = top + static_cast<float>(p / 8) * cell;
                const PVertex quad[4] = {{l, t, 0, 1, 0xFFFFFFFFu, k->uMin, k->vMin},
                                         {l + cell, t, 0, 1, 0xFFFFFFFFu, k->uMax, k->vMin},
                                         {l, t + cell, 0, 1, 0xFFFFFFFFu, k->uMin, k->vMax},
                                         {l + cell, t + cell, 0, 1, 0xFFFFFFFFu, k->uMax, k->vMax}};
                batch.AddQuad(quad);
                ++cellsDrawn;
            }
        }
        batch.Flush();
        GD3DDevice::Instance().EndFrame();
        glFinish();
        ++tick;
    }
    state.counters["cells_per_frame"] = cellsDrawn;
}
} // namespace

BENCHMARK(BenchParticleEmitters)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchCompileAnimation)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchLoadCompiledAnimation)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchAnimatedProps)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
