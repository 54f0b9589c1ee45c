// The test script's smoke run of the benchmarks: with FV_BENCH_SMOKE set, a benchmark that fixes
// its own iteration count or minimum time runs once, so every benchmark is built and run in the
// gate without taking its measuring time there.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

inline bool BenchSmokeRun()
{
    const char* value = std::getenv("FV_BENCH_SMOKE");
    return value && *value && *value != '0';
}

// A whole number a benchmark reads from the environment (its frame or edit counts), or the
// fallback when the variable is not set or empty.
inline int BenchEnvInt(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// The benchmark's own iteration count, or one in a smoke run.
inline benchmark::IterationCount BenchIterations(benchmark::IterationCount measured)
{
    return BenchSmokeRun() ? 1 : measured;
}

// The benchmark's own minimum time in seconds, or as little as a single iteration takes.
inline double BenchMinTime(double measured)
{
    return BenchSmokeRun() ? 1e-9 : measured;
}

// The body of a benchmark program that has work of its own after the runs: false when the
// command line held an argument the library does not know.
inline bool RunBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return false;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return true;
}
