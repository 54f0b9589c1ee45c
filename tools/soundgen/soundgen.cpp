// soundgen: makes the game's sound effects and prepares its music, from the descriptions in
// art/sounds. make_sounds.sh runs it; see README.md.
//
//   soundgen effects <effects.txt> <out folder>     every effect as a 16-bit WAV, mastered
//   soundgen midi <score> <out.mid> <tail seconds>  the score as MIDI; prints the loop length
//   soundgen master <in.wav> <out.wav> <loop frames> <loudness dB>
//                                                   folds a rendering's tail onto its start and
//                                                   sets its loudness
//   soundgen measure <file.wav>...                  length, peak and loudness of each file
#include "Dsp.h"
#include "Effects.h"
#include "Score.h"
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace
{
// Every file peaks below this, with room for the encoder's small overshoot.
constexpr double kCeilingDb = -1.5;

// Cuts the tail of a one-shot once it has died away to thresholdDb below its peak.
void TrimTail(Wave& wave, double thresholdDb)
{
    const float threshold = static_cast<float>(std::pow(10.0, (PeakDb(wave) + thresholdDb) / 20.0));
    size_t end = wave.Frames();
    while (end > 0)
    {
        bool quiet = true;
        for (int ch = 0; ch < wave.channels; ++ch)
            quiet = quiet && std::fabs(wave.At(end - 1, ch)) < threshold;
        if (!quiet)
            break;
        --end;
    }
    wave.samples.resize(std::min(wave.Frames(), end + kRate / 50) * static_cast<size_t>(wave.channels));
}

int Effects(const std::string& description, const std::string& folder)
{
    std::ifstream in(description);
    if (!in)
    {
        std::fprintf(stderr, "%s cannot be read\n", description.c_str());
        return 1;
    }
    std::string line;
    int lineNumber = 0, failures = 0;
    while (std::getline(in, line))
    {
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.resize(hash);
        std::istringstream words(line);
        std::string output, recipe, pair;
        if (!(words >> output >> recipe))
            continue;
        EffectSettings settings;
        while (words >> pair)
        {
            const size_t eq = pair.find('=');
            if (eq != std::string::npos)
                settings.values[pair.substr(0, eq)] = pair.substr(eq + 1);
        }
        Wave wave;
        std::string error;
        if (!MakeEffect(recipe, settings, wave, error))
        {
            std::fprintf(stderr, "%s:%d: %s\n", description.c_str(), lineNumber, error.c_str());
            ++failures;
            continue;
        }
        const bool loop = settings.Number("loop", 0) != 0.0;
        if (!loop)
        {
            TrimTail(wave, -54.0);
            FadeEnds(wave, 0.0005, 0.015);
        }
        Normalise(wave, settings.Number("loudness", -16.0), loop, kCeilingDb);
        std::string name = output.substr(0, output.rfind('.')) + ".wav";
        if (!WriteWave(folder + "/" + name, wave))
        {
            std::fprintf(stderr, "%s cannot be written\n", name.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int Midi(const std::string& score, const std::string& midi, double tail)
{
    ScoreResult result;
    if (!WriteScoreMidi(score, midi, tail, result))
        return 1;
    std::printf("%ld\n", result.loopFrames);
    std::fprintf(stderr, "%s: %d bars, %.1f s\n", score.c_str(), result.bars, result.seconds);
    return 0;
}

int Master(const std::string& input, const std::string& output, long loopFrames, double loudness)
{
    Wave wave;
    if (!ReadWave(input, wave))
        return 1;
    if (loopFrames > 0)
    {
        // What rings on past the loop's end sounds over its start when it repeats.
        const size_t loop = static_cast<size_t>(loopFrames);
        Wave folded = wave;
        folded.samples.assign(loop * static_cast<size_t>(wave.channels), 0.0f);
        for (size_t i = 0; i < wave.Frames(); ++i)
            for (int ch = 0; ch < wave.channels; ++ch)
                folded.At(i % loop, ch) += wave.At(i, ch);
        wave = folded;
    }
    Normalise(wave, loudness, true, kCeilingDb);
    return WriteWave(output, wave) ? 0 : 1;
}

int Measure(int count, char** files)
{
    int failures = 0;
    for (int i = 0; i < count; ++i)
    {
        Wave wave;
        if (!ReadWave(files[i], wave))
        {
            ++failures;
            continue;
        }
        std::printf("%s %.3f %.2f %.1f %.1f\n", files[i], wave.Seconds(), PeakDb(wave), MomentaryLoudnessDb(wave),
                    IntegratedLoudnessDb(wave));
    }
    return failures == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "effects" && argc == 4)
        return Effects(argv[2], argv[3]);
    if (command == "midi" && argc == 5)
        return Midi(argv[2], argv[3], std::atof(argv[4]));
    if (command == "master" && argc == 6)
        return Master(argv[2], argv[3], std::atol(argv[4]), std::atof(argv[5]));
    if (command == "measure" && argc > 2)
        return Measure(argc - 2, argv + 2);
    std::fprintf(stderr, "usage: soundgen effects <effects.txt> <folder> | midi <score> <out.mid> <tail s> | "
                         "master <in.wav> <out.wav> <loop frames> <loudness dB> | measure <file.wav>...\n");
    return 2;
}
