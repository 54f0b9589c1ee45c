// bench-links: fv_engine
// Quads per second through the shared batch on the OpenGL back end (software GL under Xvfb in CI):
// frames of 20,000 sprites from one texture, and from 16 textures with and without the texture sort.
// Rates are per wall-clock second: the software rasterizer works on other threads.
#include "engine/CLoadedTexture.h"
#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "platform/video/PGLDevice.h"

#include "BenchDisplay.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <list>
#include <vector>

namespace
{
bool BenchDeviceReady()
{
    static bool tried = false, ready = false;
    if (tried)
        return ready;
    tried = true;
    ready = OpenBenchDisplay(1280, 720);
    if (ready)
        SharedVertexBatch().Create(8000);
    return ready;
}

void BenchQuads(benchmark::State& state)
{
    if (!BenchDeviceReady())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    const int quads = static_cast<int>(state.range(0));
    const int textureCount = static_cast<int>(state.range(1));
    const bool sorted = state.range(2) != 0;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    std::vector<PTexture*> textures(static_cast<size_t>(textureCount));
    std::vector<CLoadedTextureRef> handles(textures.size());
    for (size_t t = 0; t < textures.size(); ++t)
    {
        device->CreateTexture(32, 32, 1, false, PFormat::A8R8G8B8, &textures[t]);
        handles[t].CreateFromTexture(textures[t]);
    }
    std::vector<CTexturedSprite> sprites(static_cast<size_t>(quads));
    for (size_t i = 0; i < sprites.size(); ++i)
    {
        CTexturedSprite& s = sprites[i];
        s.m_width = 16.0f;
        s.m_height = 16.0f;
        s.m_angle = static_cast<float>(i % 360);
        s.m_texture = handles[i % handles.size()];
        s.SetPosition(static_cast<float>((i * 37) % 1280), static_cast<float>((i * 91) % 720));
    }
    auto* gl = dynamic_cast<PGLDevice*>(device);
    const long long drawsBefore = gl ? gl->DrawCallCount() : 0;
    for (auto _ : state)
    {
        GD3DDevice::Instance().BeginFrame();
        std::list<CTexturedSprite*> list;
        for (CTexturedSprite& s : sprites)
            list.push_back(&s);
        if (sorted)
            SortSpriteListByTexture(list);
        DrawSpriteListBatched(list);
        GD3DDevice::Instance().EndFrame();
        glFinish();
    }
    state.counters["quads_per_second"] = benchmark::Counter(
        static_cast<double>(quads) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (gl)
        state.counters["draws_per_frame"] =
            static_cast<double>(gl->DrawCallCount() - drawsBefore) / static_cast<double>(state.iterations());
    // The shared batch remembers the texture it drew with last; it must not be one of these when
    // they go, or the next run's first quad compares against a texture that is no more.
    SharedVertexBatch().SetTexture(nullptr);
    for (PTexture* t : textures)
        t->Release();
    for (CLoadedTextureRef& h : handles)
        delete h.Get();
}
} // namespace

BENCHMARK(BenchQuads)
    ->Args({5000, 1, 1})
    ->Args({20000, 1, 1})
    ->Args({50000, 1, 1})
    ->Args({20000, 16, 1})
    ->Args({20000, 16, 0})
    ->Args({20000, 128, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
