#!/usr/bin/env bash
# Times the conversion steps against their peers on 45-minute dictations, in a Release build,
# and prints the ratios:
#   - ConvertWaveFile (convert_wave) of a 44.1 kHz stereo 16-bit WAV to 8 kHz mono against
#     `sox IN -r 8000 -c 1 -b 16 OUT` (the chain should be at least twice as fast);
#   - the pass-through of an 8 kHz mono 16-bit WAV (should take under 0.15 s);
#   - the chain's peak memory on a 5- and a 45-minute file (should not grow with the length);
#   - Dictconv on a synthetic DSS SP file against `ffmpeg -i IN OUT.wav` (no slower).
# Usage: tools/bench/convert_vs_peers.sh [--build DIR]   (default build-rel)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build-rel
[ "${1:-}" = "--build" ] && build=$(realpath -m "$2")
work=$root/bench-out/convert
mkdir -p "$work"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF \
  -DQUORVEL_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target convert_wave Dictconv make_dss >/dev/null

minutes=45
seconds=$((minutes * 60))
stereo=$work/stereo-44k.wav
mono=$work/mono-8k.wav
short=$work/stereo-44k-5min.wav
dss=$work/dictation-sp.dss
[ -f "$stereo" ] || sox -n -r 44100 -c 2 -b 16 "$stereo" synth "$seconds" pinknoise vol 0.3
[ -f "$short" ] || sox -n -r 44100 -c 2 -b 16 "$short" synth 300 pinknoise vol 0.3
[ -f "$mono" ] || sox -n -r 8000 -c 1 -b 16 "$mono" synth "$seconds" pinknoise vol 0.3
[ -f "$dss" ] || "$build/bin/make_dss" "$dss" "$seconds" sp

# Wall seconds and peak resident KB of a command, best of three runs (the machine is shared).
measure() {
  local best_time="" best_rss="" out
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" >/dev/null 2>&1
    out=$(tail -n 1 "$work/time.txt")
    local t=${out% *} m=${out#* }
    if [ -z "$best_time" ] || awk "BEGIN{exit !($t < $best_time)}"; then best_time=$t; fi
    if [ -z "$best_rss" ] || [ "$m" -lt "$best_rss" ]; then best_rss=$m; fi
  done
  echo "$best_time $best_rss"
}
ratio() { awk "BEGIN{printf \"%.2f\", $1 / ($2 > 0 ? $2 : 0.001)}"; }

read -r sox_time _ < <(measure sox "$stereo" -r 8000 -c 1 -b 16 "$work/sox-8k.wav")
read -r ours_time ours_rss < <(measure "$build/bin/convert_wave" "$stereo" "$work/ours-8k.wav" 8000)
echo "${minutes} min 44.1 kHz stereo to 8 kHz mono: sox ${sox_time}s, ConvertWaveFile ${ours_time}s," \
  "ratio $(ratio "$sox_time" "$ours_time") (want >= 2)"

pass_best=""
for _ in 1 2 3; do
  t=$("$build/bin/convert_wave" "$mono" "$work/pass-8k.wav" 8000)
  if [ -z "$pass_best" ] || awk "BEGIN{exit !($t < $pass_best)}"; then pass_best=$t; fi
done
echo "${minutes} min 8 kHz mono pass-through: ${pass_best}s inside ConvertWaveFile (want < 0.15)"

read -r _ short_rss < <(measure "$build/bin/convert_wave" "$short" "$work/short-8k.wav" 8000)
echo "peak memory: 5 min ${short_rss} KB, ${minutes} min ${ours_rss} KB (want about equal)"

export IMPORT_DRIVE_ROOT=$work/drives
mkdir -p "$IMPORT_DRIVE_ROOT/c"
read -r ffmpeg_time _ < <(measure ffmpeg -v error -y -i "$dss" "$work/ffmpeg-dss.wav")
read -r dictconv_time _ < <(measure "$build/bin/Dictconv" "$dss")
echo "${minutes} min DSS SP: ffmpeg ${ffmpeg_time}s, Dictconv ${dictconv_time}s," \
  "ratio $(ratio "$ffmpeg_time" "$dictconv_time") (want >= 1)"
