#!/usr/bin/env bash
# Rebuilds every sound of the game from the descriptions in art/sounds: the effects into
# data/sounds, the music into data/sounds/music. The same tools give the same bytes on every run.
# Needs, besides the game's own build tools:
#   apt-get install fluidsynth fluid-soundfont-gm vorbis-tools
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
for tool in fluidsynth oggenc oggdec; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install fluidsynth fluid-soundfont-gm vorbis-tools" >&2; exit 1; }
done
[ -f "$soundfont" ] || { echo "$soundfont is missing: apt-get install fluid-soundfont-gm" >&2; exit 1; }

cmake -S . -B build/soundgen -G Ninja -DCMAKE_BUILD_TYPE=Release -DFV_BUILD_TESTS=OFF -DFV_BUILD_BENCH=OFF \
  -DFV_BUILD_GAME=OFF >/dev/null
cmake --build build/soundgen --target fv_soundgen >/dev/null
gen=build/soundgen/tools/soundgen/fv_soundgen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p data/sounds/music

# A fixed stream serial number keeps the encoder's output the same from run to run.
encode() { oggenc -Q -q "$3" -s 20240601 -o "$2" "$1"; }

"$gen" effects art/sounds/effects.txt "$work"
for wav in "$work"/*.wav; do
  name=$(basename "$wav" .wav)
  quality=4
  [ "$name" = ambience ] && quality=2
  encode "$wav" "data/sounds/$name.ogg" "$quality"
done

# A score becomes MIDI, fluidsynth plays it with a General MIDI sound font, the tail that rings
# past the loop's end is folded onto its start, and the loudness is set.
render() {
  local score=$1 out=$2 tail=$3 loudness=$4 name frames
  name=$(basename "$score" .score)
  frames=$("$gen" midi "$score" "$work/$name.mid" "$tail")
  fluidsynth -ni -q -r 44100 -g 0.6 -O float -T wav -F "$work/$name.raw.wav" "$soundfont" "$work/$name.mid" >/dev/null
  "$gen" master "$work/$name.raw.wav" "$work/$name.wav" "$frames" "$loudness"
  encode "$work/$name.wav" "$out" 3
}
render art/sounds/music/fv_music.score data/sounds/music/fv_music.ogg 6 -18
render art/sounds/music/fv_research_screen_loop.score data/sounds/fv_research_screen_loop.ogg 8 -19

# What the game will hear: each file decoded again, with its length, peak and loudness.
echo "file seconds peak_dBFS loudest_100ms_dB average_dB"
for ogg in data/sounds/*.ogg data/sounds/music/*.ogg; do
  oggdec -Q -o "$work/check.wav" "$ogg"
  "$gen" measure "$work/check.wav" | sed "s|^$work/check.wav|${ogg#data/sounds/}|"
done
