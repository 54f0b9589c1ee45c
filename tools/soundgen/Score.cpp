// Score text to General MIDI.
#include "Score.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace
{
constexpr int kTicksPerQuarter = 480;
constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kBar = 8 * kEighth;

struct Track
{
    int program = 0;
    int channel = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int chorus = 0;
    int velocity = 88; // of its melody notes
};

struct Chord
{
    int root = 0;              // pitch class
    int bass = -1;             // pitch class of a slash bass, -1 for the root
    std::vector<int> tones;    // intervals above the root
    int start = 0, length = 0; // eighths within the bar
};

struct Note
{
    int pitch = -1; // -1 rest
    int length = 1; // eighths
};

struct Section
{
    std::vector<std::vector<Chord>> bars;
    std::map<std::string, std::vector<std::vector<Note>>> melodies;
    std::map<std::string, std::string> styles;
};

struct Event
{
    long tick;
    int order; // at the same tick: set-up, then note-offs, then note-ons
    unsigned char bytes[6];
    int size;
};

bool ParsePitchClass(const std::string& text, size_t& at, int& pc)
{
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (at >= text.size() || text[at] < 'A' || text[at] > 'G')
        return false;
    pc = letters[text[at] - 'A'];
    ++at;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b'))
        pc += text[at++] == '#' ? 1 : -1;
    pc = (pc + 12) % 12;
    return true;
}

bool ParseChord(const std::string& text, Chord& chord)
{
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},   {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},   {"7sus4", {0, 5, 7, 10}}, {"sus4", {0, 5, 7}},    {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},    {"maj9", {0, 4, 11, 14}}, {"m9", {0, 3, 10, 14}}, {"add9", {0, 4, 7, 14}},
        {"m7b5", {0, 3, 6, 10}}, {"9", {0, 4, 10, 14}},    {"6/9", {0, 4, 9, 14}},
    };
    size_t at = 0;
    if (!ParsePitchClass(text, at, chord.root))
        return false;
    std::string quality = text.substr(at);
    const size_t slash = quality.find('/');
    if (slash != std::string::npos && quality != "6/9")
    {
        size_t b = slash + 1;
        if (!ParsePitchClass(quality, b, chord.bass) || b != quality.size())
            return false;
        quality = quality.substr(0, slash);
    }
    auto found = qualities.find(quality);
    if (found == qualities.end())
        return false;
    chord.tones = found->second;
    return true;
}

bool ParseNote(const std::string& text, Note& note)
{
    std::string name = text;
    note.length = 1;
    const size_t colon = text.find(':');
    if (colon != std::string::npos)
    {
        name = text.substr(0, colon);
        note.length = std::atoi(text.c_str() + colon + 1);
        if (note.length <= 0)
            return false;
    }
    if (name == "r")
    {
        note.pitch = -1;
        return true;
    }
    size_t at = 0;
    int pc = 0;
    if (!ParsePitchClass(name, at, pc) || at >= name.size())
        return false;
    const int octave = std::atoi(name.c_str() + at);
    note.pitch = (octave + 1) * 12 + pc;
    if (name.find_first_not_of("0123456789", at) != std::string::npos)
        return false;
    return true;
}

// Splits "a b | c | d e" into bars of words.
std::vector<std::vector<std::string>> Bars(const std::string& text)
{
    std::vector<std::vector<std::string>> bars(1);
    std::istringstream words(text);
    std::string word;
    while (words >> word)
    {
        if (word == "|")
            bars.emplace_back();
        else
            bars.back().push_back(word);
    }
    if (bars.back().empty())
        bars.pop_back();
    return bars;
}

// The chord tones placed inside [low, high], lowest first.
std::vector<int> Voice(const Chord& chord, int low, int high)
{
    std::vector<int> pitches;
    for (int interval : chord.tones)
    {
        int p = low + ((chord.root + interval - low) % 12 + 12) % 12;
        while (p > high)
            p -= 12;
        pitches.push_back(p);
    }
    std::sort(pitches.begin(), pitches.end());
    pitches.erase(std::unique(pitches.begin(), pitches.end()), pitches.end());
    return pitches;
}

int BassPitch(int pc)
{
    // E1 (28) to D#2 (39): the bass's sweet spot.
    return 28 + ((pc - 4) % 12 + 12) % 12;
}

class MidiBuilder
{
public:
    explicit MidiBuilder(uint64_t seed) : m_rng(seed) {}
    void Setup(const Track& t)
    {
        const int c = t.channel;
        Add(0, 0, 0xC0 | c, t.program, -1);
        Add(0, 0, 0xB0 | c, 7, t.volume);
        Add(0, 0, 0xB0 | c, 10, t.pan);
        Add(0, 0, 0xB0 | c, 91, t.reverb);
        Add(0, 0, 0xB0 | c, 93, t.chorus);
    }
    // Velocities vary a little, the same way on every run.
    void Note(const Track& t, long tick, long length, int pitch, int velocity)
    {
        if (pitch < 0 || pitch > 127 || length <= 0)
            return;
        const int v = std::clamp(velocity + static_cast<int>(m_rng.Range(-5, 5)), 1, 127);
        Add(tick, 2, 0x90 | t.channel, pitch, v);
        Add(tick + length - 10, 1, 0x80 | t.channel, pitch, 0);
    }
    void End(long tick) { Add(tick, 0, 0xB0 | 15, 110, 0); }
    bool Write(const std::string& path)
    {
        std::stable_sort(m_events.begin(), m_events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string track;
        long last = 0;
        for (const Event& e : m_events)
        {
            WriteVar(track, static_cast<unsigned long>(e.tick - last));
            last = e.tick;
            track.append(reinterpret_cast<const char*>(e.bytes), static_cast<size_t>(e.size));
        }
        track += std::string("\x00\xFF\x2F\x00", 4);
        std::string file = "MThd";
        Be(file, 6, 4);
        Be(file, 0, 2);
        Be(file, 1, 2);
        Be(file, kTicksPerQuarter, 2);
        file += "MTrk";
        Be(file, static_cast<unsigned long>(track.size()), 4);
        file += track;
        std::ofstream out(path, std::ios::binary);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
        return static_cast<bool>(out);
    }
    void Tempo(int bpm)
    {
        const unsigned long us = 60000000ul / static_cast<unsigned long>(bpm);
        m_events.push_back(Event{0,
                                 -1,
                                 {0xFF, 0x51, 0x03, static_cast<unsigned char>(us >> 16),
                                  static_cast<unsigned char>(us >> 8), static_cast<unsigned char>(us)},
                                 6});
    }

private:
    void Add(long tick, int order, int status, int a, int b)
    {
        Event e{tick, order, {static_cast<unsigned char>(status), static_cast<unsigned char>(a), 0, 0, 0, 0}, 2};
        if (b >= 0)
        {
            e.bytes[2] = static_cast<unsigned char>(b);
            e.size = 3;
        }
        m_events.push_back(e);
    }
    static void WriteVar(std::string& out, unsigned long v)
    {
        unsigned char buf[5];
        int n = 0;
        buf[n++] = static_cast<unsigned char>(v & 0x7F);
        while (v >>= 7)
            buf[n++] = static_cast<unsigned char>(0x80 | (v & 0x7F));
        while (n)
            out.push_back(static_cast<char>(buf[--n]));
    }
    static void Be(std::string& out, unsigned long v, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }

    Random m_rng;
    std::vector<Event> m_events;
};

bool Fail(const std::string& where, const std::string& what)
{
    std::fprintf(stderr, "%s: %s\n", where.c_str(), what.c_str());
    return false;
}

void PlayStyle(MidiBuilder& midi, const Track& track, const std::string& style, const Section& section,
               long sectionTick, const std::vector<std::vector<Chord>>& next)
{
    const size_t count = section.bars.size();
    for (size_t b = 0; b < count; ++b)
    {
        const long barTick = sectionTick + static_cast<long>(b) * kBar;
        const bool lastBar = b + 1 == count;
        for (size_t c = 0; c < section.bars[b].size(); ++c)
        {
            const Chord& chord = section.bars[b][c];
            const long at = barTick + chord.start * kEighth;
            const int len = chord.length;
            // The chord after this one, for the bass's approach note.
            const Chord* after = c + 1 < section.bars[b].size() ? &section.bars[b][c + 1]
                                 : b + 1 < count                ? &section.bars[b + 1][0]
                                 : !next.empty()                ? &next[0][0]
                                                                : &chord;
            if (style == "comp")
            {
                const std::vector<int> voicing = Voice(chord, 53, 72);
                static const int even[][2] = {{0, 2}, {3, 2}, {6, 2}};
                static const int odd[][2] = {{0, 1}, {2, 2}, {5, 3}};
                const auto& pattern = b % 2 == 0 ? even : odd;
                for (const auto& hit : pattern)
                {
                    if (hit[0] < chord.start || hit[0] >= chord.start + len)
                        continue;
                    for (int p : voicing)
                        midi.Note(track, barTick + hit[0] * kEighth, hit[1] * kEighth, p, hit[0] == 0 ? 70 : 60);
                }
            }
            else if (style == "sustain")
            {
                for (int p : Voice(chord, 48, 67))
                    midi.Note(track, at, len * kEighth, p, 52);
            }
            else if (style == "arp")
            {
                const std::vector<int> tones = Voice(chord, 72, 83);
                for (int i = 0; i < len; ++i)
                {
                    const int step = static_cast<int>((b * 8 + static_cast<size_t>(chord.start + i)) % 6);
                    static const int order[] = {0, 1, 2, 3, 2, 1};
                    const int k = order[step] % static_cast<int>(tones.size() + 1);
                    const int p = k < static_cast<int>(tones.size()) ? tones[static_cast<size_t>(k)] : tones[0] + 12;
                    midi.Note(track, at + i * kEighth, kEighth * 2, p, i % 2 == 0 ? 58 : 46);
                }
            }
            else if (style == "walk" || style == "half" || style == "whole")
            {
                const int root = BassPitch(chord.bass >= 0 ? chord.bass : chord.root);
                const int fifth = root + 7;
                const int target = BassPitch(after->bass >= 0 ? after->bass : after->root);
                if (style == "whole")
                    midi.Note(track, at, len * kEighth, root, 84);
                else if (style == "half")
                {
                    midi.Note(track, at, (len - 2) * kEighth, root, 92);
                    midi.Note(track, at + (len - 2) * kEighth, 2 * kEighth, len >= 8 ? fifth : root, 78);
                }
                else if (len >= 8)
                {
                    midi.Note(track, at, 3 * kEighth, root, 100);
                    midi.Note(track, at + 3 * kEighth, kEighth, root + 12, 70);
                    midi.Note(track, at + 4 * kEighth, 2 * kEighth, fifth, 88);
                    midi.Note(track, at + 6 * kEighth, kEighth, root + 12, 72);
                    midi.Note(track, at + 7 * kEighth, kEighth, target - 1, 80);
                }
                else
                {
                    midi.Note(track, at, (len - 1) * kEighth, root, 96);
                    midi.Note(track, at + (len - 1) * kEighth, kEighth, target - 1, 78);
                }
            }
        }
        if (style == "groove" || style == "light" || style == "ride")
        {
            const bool light = style == "light";
            if (b == 0 && !light)
                midi.Note(track, barTick, kBar, 49, 92);
            for (int e = 0; e < 8; ++e)
            {
                const long t = barTick + e * kEighth;
                const bool fill = lastBar && !light && e >= 4;
                if (e == 0 || e == 4 || (!light && b % 2 == 1 && e == 3))
                    midi.Note(track, t, kEighth, 36, light ? 70 : (e == 0 ? 104 : 92));
                if (fill)
                {
                    static const int toms[] = {38, 50, 47, 45};
                    midi.Note(track, t, kEighth / 2, toms[e - 4], 70 + 8 * (e - 4));
                    midi.Note(track, t + kEighth / 2, kEighth / 2, toms[e - 4], 60 + 8 * (e - 4));
                    continue;
                }
                if (e == 2 || e == 6)
                    midi.Note(track, t, kEighth, light ? 37 : 38, light ? 72 : 96);
                if (style == "ride")
                    midi.Note(track, t, kEighth, 51, e % 2 == 0 ? 78 : 58);
                else if (e == 7 && b % 4 == 3 && !light)
                    midi.Note(track, t, kEighth, 46, 70);
                else
                    midi.Note(track, t, kEighth, 42, e % 2 == 0 ? (light ? 56 : 76) : (light ? 40 : 54));
                if (style == "groove")
                {
                    midi.Note(track, t, kEighth / 2, 70, 34);
                    midi.Note(track, t + kEighth / 2, kEighth / 2, 70, 24);
                }
            }
        }
    }
}
} // namespace

bool WriteScoreMidi(const std::string& scorePath, const std::string& midiPath, double tailSeconds, ScoreResult& out)
{
    std::ifstream in(scorePath);
    if (!in)
        return Fail(scorePath, "cannot be read");
    int tempo = 100;
    std::map<std::string, Track> tracks;
    std::map<std::string, Section> sections;
    std::vector<std::string> form;
    Section* current = nullptr;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line))
    {
        ++lineNumber;
        const std::string where = scorePath + ":" + std::to_string(lineNumber);
        // A comment starts with a word beginning with '#' (sharps sit inside words: C#5).
        for (size_t hash = line.find('#'); hash != std::string::npos; hash = line.find('#', hash + 1))
            if (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t')
            {
                line.resize(hash);
                break;
            }
        std::istringstream words(line);
        std::string key;
        if (!(words >> key))
            continue;
        std::string rest;
        std::getline(words, rest);
        std::istringstream args(rest);
        if (key == "tempo")
            args >> tempo;
        else if (key == "track")
        {
            std::string name, field;
            args >> name;
            Track t;
            int value = 0;
            while (args >> field >> value)
            {
                if (field == "program")
                    t.program = value;
                else if (field == "channel")
                    t.channel = value;
                else if (field == "volume")
                    t.volume = value;
                else if (field == "pan")
                    t.pan = value;
                else if (field == "reverb")
                    t.reverb = value;
                else if (field == "chorus")
                    t.chorus = value;
                else if (field == "velocity")
                    t.velocity = value;
                else
                    return Fail(where, "unknown track field " + field);
            }
            tracks[name] = t;
        }
        else if (key == "section")
        {
            std::string name;
            args >> name;
            current = &sections[name];
        }
        else if (key == "end")
            current = nullptr;
        else if (key == "form")
        {
            std::string name;
            while (args >> name)
                form.push_back(name);
        }
        else if (!current)
            return Fail(where, key + " outside a section");
        else if (key == "chords")
        {
            for (const auto& bar : Bars(rest))
            {
                std::vector<Chord> chords;
                for (size_t i = 0; i < bar.size(); ++i)
                {
                    Chord c;
                    if (!ParseChord(bar[i], c))
                        return Fail(where, "unknown chord " + bar[i]);
                    c.length = 8 / static_cast<int>(bar.size());
                    c.start = static_cast<int>(i) * c.length;
                    chords.push_back(c);
                }
                if (chords.empty() || 8 % chords.size() != 0)
                    return Fail(where, "a bar holds one, two or four chords");
                current->bars.push_back(chords);
            }
        }
        else if (key == "melody")
        {
            std::string name;
            args >> name;
            std::getline(args, rest);
            if (!tracks.count(name))
                return Fail(where, "unknown track " + name);
            for (const auto& bar : Bars(rest))
            {
                std::vector<Note> notes;
                int total = 0;
                for (const std::string& word : bar)
                {
                    Note n;
                    if (!ParseNote(word, n))
                        return Fail(where, "unknown note " + word);
                    total += n.length;
                    notes.push_back(n);
                }
                if (total != 8)
                    return Fail(where, "a bar of " + std::to_string(total) + " eighths");
                current->melodies[name].push_back(notes);
            }
        }
        else if (key == "play")
        {
            std::string name, style;
            args >> name >> style;
            if (!tracks.count(name))
                return Fail(where, "unknown track " + name);
            static const char* styles[] = {"comp",  "sustain", "arp",   "walk", "half",
                                           "whole", "groove",  "light", "ride"};
            if (std::find(std::begin(styles), std::end(styles), style) == std::end(styles))
                return Fail(where, "unknown style " + style);
            current->styles[name] = style;
        }
        else
            return Fail(where, "unknown line " + key);
    }
    if (form.empty())
        return Fail(scorePath, "no form");

    MidiBuilder midi(1234);
    midi.Tempo(tempo);
    for (const auto& entry : tracks)
        midi.Setup(entry.second);
    long tick = 0;
    for (size_t f = 0; f < form.size(); ++f)
    {
        auto found = sections.find(form[f]);
        if (found == sections.end())
            return Fail(scorePath, "form names no section " + form[f]);
        const Section& section = found->second;
        // The section after the last is the first: the piece loops.
        const Section& next = sections[form[(f + 1) % form.size()]];
        for (const auto& melody : section.melodies)
        {
            if (melody.second.size() != section.bars.size())
                return Fail(scorePath,
                            "melody of " + melody.first + " in " + form[f] + " is not as long as its chords");
            long t = tick;
            for (const auto& bar : melody.second)
                for (const Note& n : bar)
                {
                    midi.Note(tracks[melody.first], t, n.length * kEighth, n.pitch, tracks[melody.first].velocity);
                    t += n.length * kEighth;
                }
        }
        for (const auto& style : section.styles)
            PlayStyle(midi, tracks[style.first], style.second, section, tick, next.bars);
        tick += static_cast<long>(section.bars.size()) * kBar;
        out.bars += static_cast<int>(section.bars.size());
    }
    const double secondsPerTick = 60.0 / tempo / kTicksPerQuarter;
    out.seconds = tick * secondsPerTick;
    out.loopFrames = std::lround(out.seconds * kRate);
    midi.End(tick + std::lround(tailSeconds / secondsPerTick));
    return midi.Write(midiPath);
}
