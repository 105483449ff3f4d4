#!/usr/bin/env bash
# Times ResampleSound 44100 -> 8000 and `sox IN -r 8000 OUT` on the same 45-minute WAV file and
# prints both times and their ratio.
# Usage: compare_with_sox.sh [BUILD_DIR]   (a Release build holding bin/toolkit_bench)
set -euo pipefail

build=${1:-build-editing-rel}
bench="$build/bin/toolkit_bench"
[ -x "$bench" ] || { echo "no $bench: build toolkit_bench in a Release tree first" >&2; exit 2; }
command -v sox >/dev/null || { echo "sox is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input="$work/dictation.wav"

# 45 minutes of speech-band tones and noise, 16-bit mono at 44100 Hz.
sox -n -r 44100 -b 16 -c 1 "$input" synth 2700 sine 180 sine 720 whitenoise remix - vol 0.4

read -r toolkit_real toolkit_cpu < <(QUIESC_BENCH_INPUT="$input" "$bench" \
    --benchmark_filter=BM_Resample44100To8000 --benchmark_format=csv 2>/dev/null |
    awk -F, '/BM_Resample44100To8000/ {print $3, $4}')

TIMEFORMAT='%R %U %S'
read -r sox_real sox_user sox_sys < <({ time sox "$input" -r 8000 "$work/sox.wav" 2>/dev/null; } 2>&1)
sox_real_ms=$(echo "$sox_real * 1000" | bc -l)
sox_cpu_ms=$(echo "($sox_user + $sox_sys) * 1000" | bc -l)

printf 'input: %s samples at 44100 Hz\n' "$(soxi -s "$input")"
printf 'ResampleSound 44100 -> 8000: %.0f ms real, %.0f ms CPU (mean of 3)\n' "$toolkit_real" "$toolkit_cpu"
printf 'sox -r 8000 (with reading and writing the files): %.0f ms real, %.0f ms CPU\n' \
    "$sox_real_ms" "$sox_cpu_ms"
printf 'ratio toolkit / sox: %.2f real, %.2f CPU\n' "$(echo "$toolkit_real / $sox_real_ms" | bc -l)" \
    "$(echo "$toolkit_cpu / $sox_cpu_ms" | bc -l)"
