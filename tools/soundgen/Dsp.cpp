// Noise, filters, envelopes, room and loudness.
#include "Dsp.h"

#include <algorithm>
#include <cmath>

uint64_t Random::Next()
{
    // xorshift64*
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 2685821657736338717ull;
}

Biquad Biquad::FromCoefficients(double b0, double b1, double b2, double a0, double a1, double a2)
{
    Biquad f;
    f.m_b0 = b0 / a0;
    f.m_b1 = b1 / a0;
    f.m_b2 = b2 / a0;
    f.m_a1 = a1 / a0;
    f.m_a2 = a2 / a0;
    return f;
}

namespace
{
double Omega(double freq)
{
    return 2.0 * kPi * std::clamp(freq, 10.0, kRate * 0.49) / kRate;
}
} // namespace

Biquad Biquad::LowPass(double freq, double q)
{
    const double w = Omega(freq), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    return FromCoefficients((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighPass(double freq, double q)
{
    const double w = Omega(freq), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    return FromCoefficients((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::BandPass(double freq, double q)
{
    // Unit gain at the centre.
    const double w = Omega(freq), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    return FromCoefficients(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighShelf(double freq, double gainDb)
{
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w = Omega(freq), c = std::cos(w), s = std::sin(w);
    const double alpha = s / 2.0 * std::sqrt(2.0), sq = 2.0 * std::sqrt(a) * alpha;
    return FromCoefficients(a * ((a + 1) + (a - 1) * c + sq), -2 * a * ((a - 1) + (a + 1) * c),
                            a * ((a + 1) + (a - 1) * c - sq), (a + 1) - (a - 1) * c + sq, 2 * ((a - 1) - (a + 1) * c),
                            (a + 1) - (a - 1) * c - sq);
}

void Biquad::Retune(const Biquad& shape)
{
    m_b0 = shape.m_b0;
    m_b1 = shape.m_b1;
    m_b2 = shape.m_b2;
    m_a1 = shape.m_a1;
    m_a2 = shape.m_a2;
}

double Biquad::Process(double x)
{
    const double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = x;
    m_y2 = m_y1;
    m_y1 = y;
    return y;
}

Reverb::Reverb(double roomSize, double damping, double width)
    : m_feedback(0.7 + 0.28 * std::clamp(roomSize, 0.0, 1.0)), m_damp(std::clamp(damping, 0.0, 1.0) * 0.4),
      m_width(width)
{
    // Delay lengths in samples at 44.1 kHz; the right side is detuned by 23 samples.
    static const int combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allPasses[] = {556, 441, 341, 225};
    for (int side = 0; side < 2; ++side)
    {
        for (int len : combs)
            m_combs[side].push_back(Comb{std::vector<double>(static_cast<size_t>(len + side * 23), 0.0)});
        for (int len : allPasses)
            m_allPasses[side].push_back(AllPass{std::vector<double>(static_cast<size_t>(len + side * 23), 0.0)});
    }
}

void Reverb::Process(double inL, double inR, double& outL, double& outR)
{
    const double input = (inL + inR) * 0.015;
    double out[2] = {0.0, 0.0};
    for (int side = 0; side < 2; ++side)
    {
        for (Comb& c : m_combs[side])
        {
            const double y = c.line[c.pos];
            c.store = y * (1.0 - m_damp) + c.store * m_damp;
            c.line[c.pos] = input + c.store * m_feedback;
            c.pos = (c.pos + 1) % c.line.size();
            out[side] += y;
        }
        for (AllPass& a : m_allPasses[side])
        {
            const double buffered = a.line[a.pos];
            const double y = -out[side] + buffered;
            a.line[a.pos] = out[side] + buffered * 0.5;
            a.pos = (a.pos + 1) % a.line.size();
            out[side] = y;
        }
    }
    const double wet1 = 0.5 + m_width / 2.0, wet2 = (1.0 - m_width) / 2.0;
    outL = out[0] * wet1 + out[1] * wet2;
    outR = out[1] * wet1 + out[0] * wet2;
}

Wave AddRoom(const Wave& dry, double roomSize, double damping, double wet, bool stereo, bool loop)
{
    const int channels = stereo || dry.channels == 2 ? 2 : 1;
    const size_t frames = dry.Frames();
    // A one-shot gets room for its tail; a loop keeps its length.
    const size_t tail = loop ? 0 : static_cast<size_t>(kRate * (0.3 + 2.2 * roomSize));
    Wave out;
    out.channels = channels;
    out.samples.assign((frames + tail) * static_cast<size_t>(channels), 0.0f);
    Reverb room(roomSize, damping);
    const int passes = loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < frames + tail; ++i)
        {
            const double l = i < frames ? dry.At(i, 0) : 0.0;
            const double r = i < frames ? dry.At(i, dry.channels - 1) : 0.0;
            double rl, rr;
            room.Process(l, r, rl, rr);
            if (pass != passes - 1)
                continue;
            if (channels == 2)
            {
                out.At(i, 0) = static_cast<float>(l + wet * rl);
                out.At(i, 1) = static_cast<float>(r + wet * rr);
            }
            else
                out.At(i, 0) = static_cast<float>(l + wet * (rl + rr) * 0.5);
        }
    return out;
}

double Decay(double t, double tau)
{
    return t < 0.0 ? 0.0 : std::exp(-t / tau);
}

double AttackDecay(double t, double attack, double tau)
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

double SmoothStep(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

namespace
{
// The weighting: the low end counts less, the presence range a little more, as the ear hears.
std::vector<double> WeightedPower(const Wave& wave)
{
    std::vector<double> power(wave.Frames(), 0.0);
    for (int ch = 0; ch < wave.channels; ++ch)
    {
        Biquad shelf = Biquad::HighShelf(1500.0, 4.0);
        Biquad low = Biquad::HighPass(60.0, 0.5);
        for (size_t i = 0; i < wave.Frames(); ++i)
        {
            const double y = low.Process(shelf.Process(wave.At(i, ch)));
            power[i] += y * y;
        }
    }
    return power;
}

double ToDb(double meanSquare)
{
    return 10.0 * std::log10(std::max(meanSquare, 1e-12));
}
} // namespace

double MomentaryLoudnessDb(const Wave& wave)
{
    const std::vector<double> power = WeightedPower(wave);
    const size_t window = kRate / 10;
    double sum = 0.0, best = 0.0;
    for (size_t i = 0; i < power.size(); ++i)
    {
        sum += power[i];
        if (i >= window)
            sum -= power[i - window];
        best = std::max(best, sum);
    }
    return ToDb(best / static_cast<double>(window));
}

double IntegratedLoudnessDb(const Wave& wave)
{
    const std::vector<double> power = WeightedPower(wave);
    double sum = 0.0;
    for (double p : power)
        sum += p;
    return ToDb(sum / static_cast<double>(std::max<size_t>(power.size(), 1)));
}

double PeakDb(const Wave& wave)
{
    float peak = 0.0f;
    for (float s : wave.samples)
        peak = std::max(peak, std::fabs(s));
    return 20.0 * std::log10(std::max(static_cast<double>(peak), 1e-9));
}

void Scale(Wave& wave, double gain)
{
    for (float& s : wave.samples)
        s = static_cast<float>(s * gain);
}

double Normalise(Wave& wave, double targetDb, bool integrated, double ceilingDb)
{
    const double loudness = integrated ? IntegratedLoudnessDb(wave) : MomentaryLoudnessDb(wave);
    double gainDb = targetDb - loudness;
    gainDb = std::min(gainDb, ceilingDb - PeakDb(wave));
    const double gain = std::pow(10.0, gainDb / 20.0);
    Scale(wave, gain);
    return gain;
}

void FadeEnds(Wave& wave, double fadeIn, double fadeOut)
{
    const size_t frames = wave.Frames();
    const size_t in = std::min(frames, static_cast<size_t>(fadeIn * kRate));
    const size_t out = std::min(frames, static_cast<size_t>(fadeOut * kRate));
    for (size_t i = 0; i < frames; ++i)
    {
        double g = 1.0;
        if (i < in)
            g *= static_cast<double>(i) / static_cast<double>(in);
        if (i + out > frames)
            g *= static_cast<double>(frames - i) / static_cast<double>(out);
        for (int ch = 0; ch < wave.channels; ++ch)
            wave.At(i, ch) = static_cast<float>(wave.At(i, ch) * g);
    }
}
