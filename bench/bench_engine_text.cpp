// bench-links: fv_engine
// Engine text services under load: many section reads of one large INI file (the cache must
// read the disk once), and thousands of text lookups per frame.
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
std::string BenchWriteFile(const std::string& name, const std::string& text)
{
    std::string path = "/tmp/fv_bench_" + std::to_string(getpid()) + "_" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f)
    {
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
    return path;
}

// About 500 KB: 200 sections of 100 pairs.
std::string BenchLargeIni()
{
    std::string text;
    for (int s = 0; s < 200; ++s)
    {
        text += "[section" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 100; ++k)
            text += "key" + std::to_string(k) + " = value " + std::to_string(s * 100 + k) + "\r\n";
    }
    return text;
}
}

static void BM_IniLoad200SectionsOfOneFile(benchmark::State& state)
{
    const std::string path = BenchWriteFile("large.ini", BenchLargeIni());
    GBufferedFileManager::Instance().Clear();
    size_t pairs = 0;
    for (auto _ : state)
    {
        IniLoader ini;
        for (int s = 0; s < 200; ++s)
        {
            ini.Load("section" + std::to_string(s), path);
            pairs += ini.GetPairCount();
        }
    }
    benchmark::DoNotOptimize(pairs);
    unlink(path.c_str());
}
BENCHMARK(BM_IniLoad200SectionsOfOneFile)->Unit(benchmark::kMillisecond);

static void BM_GetText10kPerFrame(benchmark::State& state)
{
    std::string text = "[strings]\n";
    for (int i = 0; i < 1500; ++i)
        text += "GUI_TEXT_KEY_" + std::to_string(i) + "=Some interface text " + std::to_string(i) + "\n";
    const std::string path = BenchWriteFile("strings.ini", text);
    GTextTable::Instance().Unload();
    GTextTable::Instance().SetFileName(path);
    std::vector<std::string> keys;
    for (int i = 0; i < 10000; ++i)
        keys.push_back("GUI_TEXT_KEY_" + std::to_string((i * 7) % 1600)); // some missing
    size_t chars = 0;
    for (auto _ : state)
        for (const std::string& key : keys)
            chars += GTextTable::GetText(key).size();
    benchmark::DoNotOptimize(chars);
    unlink(path.c_str());
}
BENCHMARK(BM_GetText10kPerFrame)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
