// Effect recipes: interface clicks, placement thuds, robot servos and welds, the factory hall.
#include "Effects.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

double EffectSettings::Number(const std::string& name, double fallback) const
{
    auto found = values.find(name);
    return found == values.end() ? fallback : std::atof(found->second.c_str());
}

namespace
{
using Buffer = std::vector<double>;

size_t Frames(double seconds)
{
    return static_cast<size_t>(std::max(0.0, seconds) * kRate);
}

double Time(size_t i)
{
    return static_cast<double>(i) / kRate;
}

// A sine partial starting at t0 with a short linear attack and an exponential fall.
void AddTone(Buffer& b, double t0, double freq, double amp, double tau, double attack = 0.0005)
{
    for (size_t i = Frames(t0); i < b.size(); ++i)
    {
        const double t = Time(i) - t0;
        const double env = AttackDecay(t, attack, tau);
        if (t > attack && env < 1e-5)
            break;
        b[i] += amp * env * std::sin(2.0 * kPi * freq * t);
    }
}

// A drum-like thud: a sine whose pitch falls from f0 towards f1.
void AddThump(Buffer& b, double t0, double f0, double f1, double pitchTau, double amp, double tau)
{
    double phase = 0.0;
    for (size_t i = Frames(t0); i < b.size(); ++i)
    {
        const double t = Time(i) - t0;
        const double env = AttackDecay(t, 0.0015, tau);
        if (t > 0.01 && env < 1e-5)
            break;
        const double f = f1 + (f0 - f1) * std::exp(-t / pitchTau);
        phase += 2.0 * kPi * f / kRate;
        b[i] += amp * env * std::sin(phase);
    }
}

// Filtered noise with an attack and an exponential fall.
void AddNoise(Buffer& b, Random& rng, double t0, Biquad filter, double amp, double tau, double attack = 0.0005)
{
    for (size_t i = Frames(t0); i < b.size(); ++i)
    {
        const double t = Time(i) - t0;
        const double env = AttackDecay(t, attack, tau);
        if (t > attack && env < 1e-5)
            break;
        b[i] += amp * env * filter.Process(rng.Bipolar());
    }
}

// Struck metal: a few inharmonic partials, the higher ones dying first.
void AddMetal(Buffer& b, Random& rng, double t0, double base, double amp, double tau)
{
    static const double ratios[] = {1.0, 2.76, 4.72, 7.1};
    static const double levels[] = {1.0, 0.7, 0.45, 0.25};
    for (int k = 0; k < 4; ++k)
    {
        const double detune = 1.0 + 0.03 * rng.Bipolar();
        AddTone(b, t0, base * ratios[k] * detune, amp * levels[k], tau / (1.0 + 0.8 * k), 0.0003);
    }
}

// A short bright tick, as of a switch or a latch.
void AddTick(Buffer& b, Random& rng, double t0, double freq, double amp)
{
    AddTone(b, t0, freq, amp, 0.003, 0.0002);
    AddNoise(b, rng, t0, Biquad::HighPass(freq * 0.8), amp * 0.6, 0.0015, 0.0001);
}

void LowPass(Buffer& b, double freq)
{
    Biquad f = Biquad::LowPass(freq);
    for (double& s : b)
        s = f.Process(s);
}

Wave ToWave(const Buffer& b)
{
    Wave w;
    w.channels = 1;
    w.samples.assign(b.begin(), b.end());
    return w;
}

Wave Click(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 1)));
    const double pitch = s.Number("pitch", 1.0);
    Buffer b(Frames(0.09), 0.0);
    AddTick(b, rng, 0.0, 3400 * pitch, 0.5);
    AddTone(b, 0.0, 210 * pitch, 0.35, 0.010);
    AddTick(b, rng, 0.018, 2600 * pitch, 0.18);
    return AddRoom(ToWave(b), 0.12, 0.5, 0.10, false, false);
}

Wave HeavyClick(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 2)));
    Buffer b(Frames(0.3), 0.0);
    AddTick(b, rng, 0.0, 2600, 0.35);
    AddThump(b, 0.0, 160, 85, 0.015, 0.8, 0.045);
    AddMetal(b, rng, 0.0, 540, 0.22, 0.07);
    AddNoise(b, rng, 0.0, Biquad::BandPass(1800, 0.8), 0.5, 0.006);
    AddTick(b, rng, 0.045, 1900, 0.18);
    return AddRoom(ToWave(b), 0.25, 0.5, 0.14, false, false);
}

Wave Rotate(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 3)));
    Buffer b(Frames(0.26), 0.0);
    for (int k = 0; k < 4; ++k)
        AddTick(b, rng, 0.032 * k, 1700 * std::pow(1.12, k), 0.32 * (1.0 - 0.12 * k));
    // A soft swoosh of the part turning: noise through a band that sweeps up.
    Biquad band = Biquad::BandPass(700, 1.6);
    const double length = 0.2;
    for (size_t i = 0; i < Frames(length); ++i)
    {
        const double x = Time(i) / length;
        if (i % 32 == 0)
            band.Retune(Biquad::BandPass(700 + 1900 * x, 1.6));
        const double env = std::pow(std::sin(kPi * x), 2.0);
        b[i] += 0.28 * env * band.Process(rng.Bipolar());
    }
    return AddRoom(ToWave(b), 0.2, 0.5, 0.10, false, false);
}

Wave Scroll(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 4)));
    Buffer b(Frames(0.06), 0.0);
    AddTone(b, 0.0, 2100, 0.3, 0.0025, 0.0003);
    AddNoise(b, rng, 0.0, Biquad::BandPass(3000, 1.5), 0.3, 0.002);
    AddTone(b, 0.012, 1800, 0.1, 0.002, 0.0003);
    return ToWave(b);
}

Wave Blip(const EffectSettings& s)
{
    const double freq = s.Number("pitch", 1320);
    Buffer b(Frames(0.08), 0.0);
    AddTone(b, 0.0, freq, 0.4, 0.02, 0.004);
    AddTone(b, 0.0, freq * 2, 0.08, 0.01, 0.004);
    return ToWave(b);
}

// Two rising notes: something was picked.
Wave Select(const EffectSettings& s)
{
    const double low = s.Number("low", 988), high = s.Number("high", 1319);
    Buffer b(Frames(0.2), 0.0);
    const double notes[2][3] = {{0.0, low, 0.05}, {0.055, high, 0.07}};
    for (const auto& n : notes)
    {
        AddTone(b, n[0], n[1], 0.35, n[2], 0.002);
        AddTone(b, n[0], n[1] * 2, 0.09, n[2] * 0.6, 0.002);
        AddTone(b, n[0], n[1] * 3, 0.03, n[2] * 0.4, 0.002);
    }
    return AddRoom(ToWave(b), 0.3, 0.4, 0.18, false, false);
}

Wave Shutter(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 5)));
    Buffer b(Frames(0.3), 0.0);
    // Shutter opens...
    AddNoise(b, rng, 0.0, Biquad::BandPass(3500, 1.2), 0.6, 0.004);
    AddTick(b, rng, 0.0, 4200, 0.3);
    AddThump(b, 0.0, 420, 300, 0.01, 0.25, 0.006);
    // ...the mechanism whirrs...
    Biquad band = Biquad::BandPass(900, 2.0);
    double phase = 0.0;
    for (size_t i = Frames(0.012); i < Frames(0.11); ++i)
    {
        const double x = (Time(i) - 0.012) / 0.098;
        phase += 2.0 * kPi * 110.0 / kRate;
        double saw = 0.0;
        for (int n = 1; n <= 10; ++n)
            saw += std::sin(n * phase) / n;
        b[i] += 0.16 * std::sin(kPi * x) * band.Process(saw);
    }
    // ...and closes.
    AddNoise(b, rng, 0.12, Biquad::BandPass(2600, 1.2), 0.5, 0.005);
    AddTick(b, rng, 0.12, 3000, 0.25);
    AddThump(b, 0.12, 320, 240, 0.01, 0.2, 0.008);
    return AddRoom(ToWave(b), 0.2, 0.5, 0.12, false, false);
}

// A machine set down on the floor: a thud, a clank of metal, and for bigger machines rattles,
// a hiss of air and a deep boom.
Wave Impact(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 6)));
    const double pitch = s.Number("pitch", 1.0);
    const int size = std::clamp(static_cast<int>(s.Number("size", 1)), 1, 4);
    const double ring = s.Number("ring", 1.0);
    Buffer b(Frames(0.45 + 0.15 * size), 0.0);
    AddThump(b, 0.0, 140 * pitch, 50 * pitch, 0.04, 0.9, 0.09 + 0.03 * size);
    AddNoise(b, rng, 0.0, Biquad::LowPass(700 * pitch), 0.7, 0.025, 0.001);
    AddNoise(b, rng, 0.0, Biquad::BandPass(2400 * pitch, 1.0), 0.25, 0.008, 0.0003);
    AddMetal(b, rng, 0.002, 310 * pitch, 0.22 * ring, 0.18);
    for (int k = 1; k < size; ++k)
    {
        const double t = 0.075 * k + 0.02 * rng.Uniform();
        const double level = 0.5 * std::pow(0.72, k);
        AddThump(b, t, 210 * pitch, 95 * pitch, 0.02, level, 0.05);
        AddMetal(b, rng, t, 410 * pitch * (1.0 + 0.1 * k), 0.5 * level * ring, 0.09);
        AddNoise(b, rng, t, Biquad::BandPass(1600, 1.0), level * 0.5, 0.006);
    }
    if (size >= 3)
        AddNoise(b, rng, 0.05, Biquad::HighPass(3500), 0.06 * (size - 2), 0.16, 0.02);
    if (size == 4)
        AddThump(b, 0.0, 62, 38, 0.08, 0.7, 0.22);
    LowPass(b, 9000);
    return AddRoom(ToWave(b), 0.3 + 0.1 * size, 0.45, 0.16, false, false);
}

// A robot joint turning: a geared motor that speeds up, runs and slows down, once or twice.
Wave Servo(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 7)));
    const double f0 = s.Number("pitch", 240);
    const double sweep = s.Number("sweep", 0.4);
    const double length = s.Number("length", 0.5);
    const int moves = std::clamp(static_cast<int>(s.Number("moves", 1)), 1, 3);
    const double gear = s.Number("gear", 4.6);
    const bool brake = s.Number("brake", 0) != 0.0;
    const double gap = 0.06;
    const double move = (length - gap * (moves - 1)) / moves;
    Buffer b(Frames(length + 0.05), 0.0);
    Biquad teeth = Biquad::BandPass(2800, 2.0);
    double phase = 0.0;
    for (size_t i = 0; i < b.size(); ++i)
    {
        const double t = Time(i);
        const int m = std::min(static_cast<int>(t / (move + gap)), moves - 1);
        const double x = (t - m * (move + gap)) / move;
        const double dir = (m % 2 == 0) == (s.Number("direction", 1) > 0) ? 1.0 : -1.0;
        const double speed = x >= 0.0 && x <= 1.0 ? std::pow(std::sin(kPi * x), 0.7) : 0.0;
        const double f = f0 * (0.6 + 0.4 * speed) * (1.0 + dir * sweep * (SmoothStep(x) - 0.5));
        phase += 2.0 * kPi * f / kRate;
        double motor = 0.0;
        for (int n = 1; n <= 14; ++n)
            motor += std::sin(n * phase) / std::pow(n, 1.2);
        const double whine = std::sin(gear * phase);
        const double buzz = teeth.Process(rng.Bipolar()) * (0.5 + 0.5 * std::sin(gear * phase * 0.5));
        b[i] = speed * (0.22 * motor + 0.12 * whine + 0.35 * buzz);
    }
    LowPass(b, 5500);
    if (brake)
    {
        AddTick(b, rng, length - 0.01, 1500, 0.2);
        AddThump(b, length - 0.01, 300, 200, 0.01, 0.15, 0.01);
    }
    return AddRoom(ToWave(b), 0.2, 0.5, 0.10, false, false);
}

// A spot weld: the zap of the arc striking, its buzz and sizzle while it holds, and sparks
// crackling out as it stops.
Wave Weld(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 8)));
    const double length = s.Number("length", 0.6);
    const double hum = s.Number("hum", 100);
    const double rate = s.Number("crackle", 500);
    const double buzzLevel = s.Number("buzz", 0.6);
    const double arcEnd = length - 0.12;
    Buffer b(Frames(length + 0.05), 0.0);
    AddNoise(b, rng, 0.0, Biquad::HighPass(2000), 0.8, 0.008, 0.0002);
    AddTone(b, 0.0, 5000, 0.3, 0.002, 0.0001);
    Biquad hissFilter = Biquad::HighPass(3000);
    Biquad crackleFilter = Biquad::BandPass(4500, 1.0);
    Biquad jitter = Biquad::LowPass(15, 0.5);
    Biquad flutter = Biquad::LowPass(60, 0.5);
    double phase = 0.0;
    for (size_t i = 0; i < b.size(); ++i)
    {
        const double t = Time(i);
        // The arc: on after 10 ms, wavering, off at arcEnd.
        const double arc = t < arcEnd ? SmoothStep((t - 0.01) / 0.02) : 0.0;
        const double waver = 0.8 + 2.5 * jitter.Process(rng.Bipolar());
        const double tail = t < arcEnd ? 1.0 : std::exp(-(t - arcEnd) / 0.08);
        phase += 2.0 * kPi * hum / kRate;
        double buzz = 0.0;
        for (int n = 1; n * hum < 3000; n += 2)
            buzz += std::sin(n * phase) / n;
        const double hiss = hissFilter.Process(rng.Bipolar()) * (0.7 + 4.0 * flutter.Process(rng.Bipolar()));
        double spark = 0.0;
        if (rng.Uniform() < rate * std::max(arc, 0.35 * tail) / kRate)
            spark = std::pow(rng.Uniform(), 2.0) * (rng.Uniform() < 0.5 ? -1.0 : 1.0) * 4.0;
        b[i] += arc * waver * (0.16 * buzzLevel * buzz + 0.3 * hiss) + 0.12 * tail * (1.0 - arc) * hiss;
        b[i] += crackleFilter.Process(spark) * (arc > 0.0 ? 1.0 : tail);
    }
    LowPass(b, 12000);
    return AddRoom(ToWave(b), 0.15, 0.5, 0.08, false, false);
}

// The factory hall as a seamless stereo loop: a low rumble, the hum of machines, air in the
// ducts, a press thumping somewhere, now and then a far-off clank, all in a large room.
Wave Hall(const EffectSettings& s)
{
    Random rng(static_cast<uint64_t>(s.Number("seed", 9)));
    const double length = s.Number("length", 24.0);
    const size_t n = Frames(length);
    Wave dry = Wave::Silence(length, 2);
    // Noise beds: each filter runs over the loop twice and keeps the second pass, so the end
    // flows into the start.
    auto bed = [&](Biquad a, Biquad c, double level, int channel) {
        std::vector<double> noise(n);
        for (double& v : noise)
            v = rng.Bipolar();
        for (int pass = 0; pass < 2; ++pass)
            for (size_t i = 0; i < n; ++i)
            {
                const double y = c.Process(a.Process(noise[i]));
                if (pass == 1)
                    dry.At(i, channel) += static_cast<float>(level * y);
            }
    };
    for (int ch = 0; ch < 2; ++ch)
    {
        bed(Biquad::LowPass(90, 0.7), Biquad::LowPass(90, 0.7), 1.2, ch);
        // Air moving through the ducts: a soft, wide hiss in the middle of the range.
        bed(Biquad::BandPass(700, 0.5), Biquad::LowPass(2500), 0.22, ch);
    }
    // Machine hum: whole numbers of cycles over the loop, beating slowly.
    const double hums[][2] = {{50, 0.05}, {100, 0.035}, {150, 0.02}, {200, 0.012}, {300, 0.006}, {101, 0.02}};
    for (const auto& h : hums)
    {
        const double f = std::round(h[0] * length) / length;
        for (size_t i = 0; i < n; ++i)
        {
            const double t = Time(i);
            const double v = h[1] * std::sin(2.0 * kPi * f * t) * (0.8 + 0.2 * std::sin(2.0 * kPi * 2.0 * t / length));
            dry.At(i, 0) += static_cast<float>(v);
            dry.At(i, 1) += static_cast<float>(v * 0.9);
        }
    }
    // Events wrap around the loop's end.
    auto place = [&](const Buffer& event, double t0, double pan) {
        const size_t start = Frames(t0);
        for (size_t i = 0; i < event.size(); ++i)
        {
            const size_t at = (start + i) % n;
            dry.At(at, 0) += static_cast<float>(event[i] * (1.0 - pan));
            dry.At(at, 1) += static_cast<float>(event[i] * (1.0 + pan));
        }
    };
    const int presses = static_cast<int>(s.Number("presses", 16));
    for (int k = 0; k < presses; ++k)
    {
        Buffer e(Frames(0.5), 0.0);
        AddThump(e, 0.0, 90, 45, 0.03, 0.14, 0.12);
        AddNoise(e, rng, 0.0, Biquad::LowPass(400), 0.08, 0.05);
        place(e, length * k / presses, -0.4);
    }
    const int clanks = static_cast<int>(s.Number("clanks", 7));
    for (int k = 0; k < clanks; ++k)
    {
        Buffer e(Frames(1.0), 0.0);
        AddMetal(e, rng, 0.0, rng.Range(260, 520), 0.05, 0.35);
        AddThump(e, 0.0, 150, 80, 0.02, 0.05, 0.06);
        LowPass(e, 3000);
        place(e, rng.Range(0.0, length), rng.Range(-0.8, 0.8));
    }
    return AddRoom(dry, 0.85, 0.6, 0.9, true, true);
}

using Recipe = std::function<Wave(const EffectSettings&)>;

const std::map<std::string, Recipe>& Recipes()
{
    static const std::map<std::string, Recipe> recipes = {
        {"click", Click},   {"heavyclick", HeavyClick}, {"rotate", Rotate}, {"scroll", Scroll}, {"blip", Blip},
        {"select", Select}, {"shutter", Shutter},       {"impact", Impact}, {"servo", Servo},   {"weld", Weld},
        {"hall", Hall},
    };
    return recipes;
}
} // namespace

bool MakeEffect(const std::string& recipe, const EffectSettings& settings, Wave& out, std::string& error)
{
    auto found = Recipes().find(recipe);
    if (found == Recipes().end())
    {
        error = "unknown recipe '" + recipe + "'";
        return false;
    }
    out = found->second(settings);
    return true;
}
