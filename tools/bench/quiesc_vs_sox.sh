#!/usr/bin/env bash
# Times `quiesc convert` against sox on a 45-minute speech-like 8 kHz 16-bit mono WAV file, for
# the two conversions the import utility makes (Dialogic ADPCM VOX and u-law VOX), and checks
# the targets: quiesc at least 2 times faster than sox on each, and quiesc's peak resident
# memory at most 2 bytes per sample plus 16 MiB.
#
# Usage: tools/bench/quiesc_vs_sox.sh [ROUNDS]        (default 7 rounds)
# Environment:
#   QUIESC_BENCH_BUILD  build tree to use (default <repo>/build-bench, a Release build without
#                       sanitizers, configured and built here when needed)
#   QUIESC_BENCH_OUT    folder for the cached input and the outputs (default <repo>/bench-out)
# Needs espeak-ng, sox, GNU time (/usr/bin/time), cmake and ninja.
# Exit status: 0 when every target is met, 1 when one is missed, 2 on a setup failure.
set -euo pipefail

rounds=${1:-7}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QUIESC_BENCH_BUILD:-$repo/build-bench}
out=${QUIESC_BENCH_OUT:-$repo/bench-out}
input=$out/speech-45min-8k.wav
seconds=2700

fail_setup() {
  echo "quiesc_vs_sox: $*" >&2
  exit 2
}

for tool in espeak-ng sox cmake ninja /usr/bin/time; do
  command -v "$tool" > /dev/null || fail_setup "$tool is missing (tools/setup/install-deps.sh)"
done
[[ $rounds =~ ^[1-9][0-9]*$ ]] || fail_setup "ROUNDS must be a positive number"
mkdir -p "$out"

# Dictation-like sentences, spoken by a few voices at a few speeds, so the signal has the
# pauses, pitch and level changes of speech rather than a steady tone.
make_input() {
  local work=$out/speech-parts
  rm -rf "$work"
  mkdir -p "$work"
  local sentences=(
    "Patient is a fifty two year old male seen today for follow up of his blood pressure."
    "He reports no chest pain, no shortness of breath and no swelling of the ankles."
    "Please schedule a repeat blood test in three weeks and send a copy to the clinic."
    "Letter to Mister Hartley regarding the contract renewal, paragraph one, new line."
    "We confirm receipt of your invoice number four four seven one dated the ninth of March."
    "The meeting has been moved to Thursday at half past two in the second floor office."
    "Full stop. New paragraph. Thank you for your patience in this matter. Yours sincerely."
    "Examination shows a soft abdomen, normal bowel sounds, and no tenderness on palpation."
  )
  local voices=(en en-us en+f3 en-us+m3)
  local speeds=(145 170 190)
  local parts=()
  local i=0
  for sentence in "${sentences[@]}"; do
    for voice in "${voices[@]}"; do
      local part=$work/part-$i.wav
      espeak-ng -v "$voice" -s "${speeds[$((i % ${#speeds[@]}))]}" -w "$part" "$sentence"
      parts+=("$part")
      i=$((i + 1))
    done
  done
  sox -n -r 22050 -c 1 -b 16 "$work/pause.wav" trim 0 0.7
  local joined=()
  for part in "${parts[@]}"; do
    joined+=("$part" "$work/pause.wav")
  done
  sox "${joined[@]}" -r 8000 -c 1 -b 16 "$work/block.wav"
  local block
  block=$(soxi -D "$work/block.wav")
  local repeats
  repeats=$(awk -v total="$seconds" -v block="$block" 'BEGIN { print int(total / block) }')
  sox "$work/block.wav" -r 8000 -c 1 -b 16 -e signed-integer "$input.tmp.wav" \
    repeat "$repeats" trim 0 "$seconds"
  mv "$input.tmp.wav" "$input"
  rm -rf "$work"
}

if [[ ! -s $input ]]; then
  echo "Making the 45-minute input (cached in $input) ..."
  make_input
fi

if [[ ! -x $build/bin/quiesc || ! -e $build/bin/Adpcmio.so || ! -e $build/bin/Riffio.so ]]; then
  echo "Building a Release tree in $build ..."
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF \
    -DQUORVEL_TESTS=OFF -DQUORVEL_BENCHMARKS=OFF > "$out/cmake.log" ||
    fail_setup "cmake failed, see $out/cmake.log"
fi
# Always brought up to date, so the figures belong to the sources as they are.
ninja -C "$build" -j2 quiesc Adpcmio Riffio > "$out/build.log" ||
  fail_setup "the build failed, see $out/build.log"
quiesc=$build/bin/quiesc

samples=$("$quiesc" info "$input" | awk '/^samples:/ { print $2 }')
[[ -n $samples ]] || fail_setup "quiesc cannot read $input"

# Runs one conversion; appends "seconds peak-kilobytes" to the named results file.
measure() {
  local results=$1
  shift
  local rss_file=$out/rss.txt
  local start end
  start=$(date +%s%N)
  /usr/bin/time -v -o "$rss_file" "$@" > /dev/null 2> "$out/last-run.log" ||
    fail_setup "failed: $* (see $out/last-run.log)"
  end=$(date +%s%N)
  local rss
  rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$rss_file")
  echo "$(awk -v ns=$((end - start)) 'BEGIN { printf "%.4f", ns / 1e9 }') $rss" >> "$results"
}

median() {
  awk '{ print $1 }' "$1" | sort -g | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.4f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

peak_kib() {
  awk '$2 > max { max = $2 } END { print max }' "$1"
}

cases=(adpcm ulaw)
for name in "${cases[@]}"; do
  : > "$out/quiesc-$name.times"
  : > "$out/sox-$name.times"
done

run_quiesc() {
  case $1 in
    adpcm) measure "$out/quiesc-adpcm.times" "$quiesc" convert "$input" "$out/quiesc-adpcm.vox" \
      --out-format adpcm ;;
    ulaw) measure "$out/quiesc-ulaw.times" "$quiesc" convert "$input" "$out/quiesc-ulaw.vox" \
      --out-format ulaw ;;
  esac
}

run_sox() {
  case $1 in
    adpcm) measure "$out/sox-adpcm.times" sox "$input" -e oki-adpcm "$out/sox-adpcm.vox" ;;
    ulaw) measure "$out/sox-ulaw.times" sox "$input" -e u-law -t raw "$out/sox-ulaw.raw" ;;
  esac
}

echo "Input: $input ($samples samples, $seconds s); $rounds rounds, alternating;" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)."
# One untimed warm-up of each, so the first timed run does not pay for a cold page cache.
for name in "${cases[@]}"; do
  run_quiesc "$name"
  run_sox "$name"
  : > "$out/quiesc-$name.times"
  : > "$out/sox-$name.times"
done
for ((round = 1; round <= rounds; round++)); do
  for name in "${cases[@]}"; do
    # Alternate which program goes first, so neither always meets a warmer machine.
    if ((round % 2)); then
      run_quiesc "$name"
      run_sox "$name"
    else
      run_sox "$name"
      run_quiesc "$name"
    fi
  done
done

missed=0
limit_kib=$(((2 * samples + 16 * 1024 * 1024) / 1024))
printf '\n%-7s %12s %12s %8s %8s\n' case "quiesc (s)" "sox (s)" ratio target
for name in "${cases[@]}"; do
  q=$(median "$out/quiesc-$name.times")
  s=$(median "$out/sox-$name.times")
  ratio=$(awk -v q="$q" -v s="$s" 'BEGIN { printf "%.2f", s / q }')
  verdict=$(awk -v r="$ratio" 'BEGIN { print (r >= 2 ? "met" : "MISSED") }')
  [[ $verdict == met ]] || missed=1
  printf '%-7s %12s %12s %7sx %8s\n' "$name" "$q" "$s" "$ratio" "$verdict"
done

printf '\n%-7s %16s %16s %16s %8s\n' case "quiesc peak KiB" "sox peak KiB" "limit KiB" target
for name in "${cases[@]}"; do
  q=$(peak_kib "$out/quiesc-$name.times")
  s=$(peak_kib "$out/sox-$name.times")
  verdict=met
  ((q <= limit_kib)) || { verdict=MISSED; missed=1; }
  printf '%-7s %16s %16s %16s %8s\n' "$name" "$q" "$s" "$limit_kib" "$verdict"
done

# The outputs of both programs, for a look at how their encoders differ (not a target).
for name in "${cases[@]}"; do
  theirs=$out/sox-$name.vox
  [[ $name == ulaw ]] && theirs=$out/sox-$name.raw
  if cmp -s "$out/quiesc-$name.vox" "$theirs"; then
    echo "$name: quiesc and sox wrote identical bytes"
  else
    echo "$name: quiesc and sox outputs differ ($(stat -c %s "$out/quiesc-$name.vox") and" \
      "$(stat -c %s "$theirs") bytes)"
  fi
done
exit "$missed"
