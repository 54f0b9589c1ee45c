// bench-links: fv_toolkit
// A busy factory's robot sounds: 500 queued requests a frame drained against 64 effects still
// sounding, each request checked against every tracked effect before it may start.
#include <benchmark/benchmark.h>

#include "engine/core/GOptions.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "platform/audio/PAudioDevice.h"
#include "platform/audio/PSilentAudioDevice.h"

namespace
{
void DrainRequests(benchmark::State& state)
{
    GOptions::Instance().SetDefaults();
    GUI_Sounds sounds(std::make_unique<PSilentAudioDevice>(256), std::string(FV_SOURCE_DIR) + "/data/sounds");
    // 64 effects keep sounding: looping copies of the weld and servo files.
    for (int i = 0; i < 64; ++i)
    {
        const std::string name = i % 4 == 0 ? GUI_SoundNames::Weld(1 + i % 5) : GUI_SoundNames::Servo(1 + i % 15);
        sounds.PlaySoundAt(name, true, 100.0f * i, 0.0f, 0.5f);
    }
    SoundRequestQueue queue;
    for (auto _ : state)
    {
        for (int i = 0; i < 500; ++i)
            QueueSoundRequest(queue, 1, GUI_SoundNames::Servo(1 + i % 15), 10.0f * i, 0.0f, 0.5f);
        PlayQueuedSoundRequests(queue, sounds);
    }
    state.counters["tracked"] = static_cast<double>(sounds.GetTrackedSounds().size());
}
} // namespace

BENCHMARK(DrainRequests)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
