// The game's music written as text (art/sounds/music/*.score): tempo, instruments, sections of
// chords and melodies with the accompaniment style each part plays, and the order of the
// sections. Turned into a General MIDI file that fluidsynth renders. The file loops: its last
// bar leads back into its first, and the rendering's tail is folded onto its start.
//
//   tempo 100                      beats per minute (4/4; durations are counted in eighths)
//   track <name> program <n> channel <n> [volume <n>] [pan <n>] [reverb <n>] [chorus <n>] [velocity <n>]
//   section <name> ... end
//     chords Cmaj7 | Am7 | Dm7 G7 | ...      one or two chords a bar
//     melody <track> E5 G5:2 r:3 | ...        note[:eighths], r = rest; every bar is 8 eighths
//     play <track> <style>                    comp, sustain, arp, walk, half, groove, light, ride
//   form A B A ...
#pragma once
#include <string>

struct ScoreResult
{
    long loopFrames = 0; // the loop's length in samples at 44.1 kHz
    int bars = 0;
    double seconds = 0.0;
};

// Reads the score and writes the MIDI file; false with a message on stderr when the score is
// broken (unknown chord or note, a bar that is not 8 eighths, an unknown track or style).
bool WriteScoreMidi(const std::string& scorePath, const std::string& midiPath, double tailSeconds, ScoreResult& out);
