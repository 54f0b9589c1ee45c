// Building blocks of the synthesised effects: a seeded noise source, filters, envelopes, a small
// room reverb, and loudness measures. Everything is deterministic: the same seed gives the same
// samples on every machine.
#pragma once
#include "Wave.h"

#include <cstdint>
#include <vector>

constexpr double kPi = 3.14159265358979323846;

class Random
{
public:
    explicit Random(uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next();
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform in [-1, 1).
    double Bipolar() { return Uniform() * 2.0 - 1.0; }

private:
    uint64_t m_state;
};

// A second-order filter (the usual audio cookbook shapes).
class Biquad
{
public:
    static Biquad LowPass(double freq, double q = 0.7071);
    static Biquad HighPass(double freq, double q = 0.7071);
    static Biquad BandPass(double freq, double q);
    static Biquad HighShelf(double freq, double gainDb);
    double Process(double x);
    // Takes another filter's shape and keeps this one's state, for sweeps without clicks.
    void Retune(const Biquad& shape);

private:
    static Biquad FromCoefficients(double b0, double b1, double b2, double a0, double a1, double a2);
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// Stereo room: parallel damped combs into series all-passes per side, slightly detuned so the
// sides differ.
class Reverb
{
public:
    Reverb(double roomSize, double damping, double width = 1.0);
    void Process(double inL, double inR, double& outL, double& outR);

private:
    struct Comb
    {
        std::vector<double> line;
        size_t pos = 0;
        double store = 0.0;
    };
    struct AllPass
    {
        std::vector<double> line;
        size_t pos = 0;
    };
    std::vector<Comb> m_combs[2];
    std::vector<AllPass> m_allPasses[2];
    double m_feedback, m_damp, m_width;
};

// Adds a room to a wave (made stereo when stereo is set). With loop set the wave is treated as
// circular: the room runs over it twice and keeps the second pass, so its tail wraps into the
// start and the loop has no seam.
Wave AddRoom(const Wave& dry, double roomSize, double damping, double wet, bool stereo, bool loop);

// Envelope helpers (t in seconds).
double Decay(double t, double tau);                      // exp(-t / tau) for t >= 0, else 0
double AttackDecay(double t, double attack, double tau); // linear rise, then exponential fall
double SmoothStep(double x);                             // 0..1 s-curve for x in 0..1

// Loudness of a wave as a listener hears it, in dB: the samples are weighted (low end cut, top
// lifted a little) and the loudest 100 ms window's mean square is taken. Short effects are
// matched by it.
double MomentaryLoudnessDb(const Wave& wave);
// The same weighting over the whole wave (loops and music).
double IntegratedLoudnessDb(const Wave& wave);
double PeakDb(const Wave& wave);
void Scale(Wave& wave, double gain);
// Scales the wave to the target loudness (momentary or integrated), but never past the peak
// ceiling; returns the gain used.
double Normalise(Wave& wave, double targetDb, bool integrated, double ceilingDb);
// Short fades at both ends so a one-shot never starts or stops with a click.
void FadeEnds(Wave& wave, double fadeIn, double fadeOut);
