// The efficiency history of the running factory: how the production slots spent their time,
// sampled every ten game seconds, for the efficiency window's graph and pie chart.
#pragma once

#include <cstdint>

class SIM_PlaceableSlot;

class SIM_Efficiency
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int NUM_SAMPLES = 256;
    static constexpr int NUM_STATES = 7;
    static constexpr float SAMPLE_INTERVAL_MS = 10000.0f;

    struct Sample
    {
        float time = -1.0f; // running game time of the sample
        float shares[NUM_STATES] = {};
        uint8_t valid = 0;
    };

    static SIM_Efficiency& Instance();

    SIM_Efficiency();

    // Game set-up: sampling starts at the running game time now, every old sample is marked invalid.
    void Reset(float now);
    // Once per frame after the worker jobs, with the running game time: takes a sample when the
    // interval has passed.
    void Update(float now);
    // Moves every sample one place older; the oldest is lost.
    void ShiftSamples();
    // Writes sample 0 from the production slots' state shares over the interval up to now.
    void TakeSample(float now);

    // Index 0 the newest. Stored and restored by the savegame.
    Sample samples[NUM_SAMPLES];
    float lastSampleTime = 0.0f;

private:
    // Production slots count; facilities, conveyors and slots still being placed do not.
    static bool CountsInSample(const SIM_PlaceableSlot* slot);
};
