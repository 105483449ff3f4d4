#!/usr/bin/env bash
# End-to-end comparison, one run of each: import-batch converting 20 five-minute dictations (half
# 8 kHz mono 16-bit, half 44.1 kHz stereo 16-bit, the mix an office meets) to Dialogic ADPCM VOX,
# against a shell loop that does the same with sox (one sox call and one rename per file).
# Prints both times and the ratio; the target is import-batch in at most half the time of the
# sox loop. The machine's load is printed with the figures: measure when it is low.
#
# Usage: tools/bench/import_batch_vs_sox.sh [DICTATIONS]      (default 20, an even number)
# Environment:
#   QUIESC_BENCH_BUILD  build tree to use (default <repo>/build-bench, a Release build without
#                       sanitizers, configured and built here when needed)
#   QUIESC_BENCH_OUT    folder for the cached inputs and the workspaces (default <repo>/bench-out)
# Needs espeak-ng, sox, cmake and ninja.
# Exit status: 0 when the target is met, 1 when it is missed, 2 on a setup failure.
set -euo pipefail

count=${1:-20}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QUIESC_BENCH_BUILD:-$repo/build-bench}
out=${QUIESC_BENCH_OUT:-$repo/bench-out}
seconds=300
narrow=$out/dictation-5min-8k-mono.wav
wide=$out/dictation-5min-44k-stereo.wav

fail_setup() {
  echo "import_batch_vs_sox: $*" >&2
  exit 2
}

for tool in espeak-ng sox cmake ninja; do
  command -v "$tool" > /dev/null || fail_setup "$tool is missing (tools/setup/install-deps.sh)"
done
[[ $count =~ ^[1-9][0-9]*$ ]] && ((count % 2 == 0)) || fail_setup "DICTATIONS must be even"
mkdir -p "$out"

# Five minutes of dictation-like speech at the given rate and channel count (cached).
make_dictation() {
  local file=$1 rate=$2 channels=$3
  [[ -s $file ]] && return 0
  local work=$out/dictation-parts
  rm -rf "$work"
  mkdir -p "$work"
  local i=0 parts=()
  for sentence in \
    "Patient is a fifty two year old male seen today for follow up of his blood pressure." \
    "Please schedule a repeat blood test in three weeks and send a copy to the clinic." \
    "We confirm receipt of your invoice number four four seven one dated the ninth of March." \
    "Full stop. New paragraph. Thank you for your patience in this matter. Yours sincerely."; do
    for voice in en en-us+f3; do
      espeak-ng -v "$voice" -s 160 -w "$work/part-$i.wav" "$sentence"
      parts+=("$work/part-$i.wav")
      i=$((i + 1))
    done
  done
  sox "${parts[@]}" -r "$rate" -c "$channels" -b 16 "$work/block.wav"
  local block repeats
  block=$(soxi -D "$work/block.wav")
  repeats=$(awk -v total="$seconds" -v block="$block" 'BEGIN { print int(total / block) }')
  sox "$work/block.wav" -e signed-integer "$file.tmp.wav" repeat "$repeats" trim 0 "$seconds"
  mv "$file.tmp.wav" "$file"
  rm -rf "$work"
}

echo "Making the five-minute dictations (cached in $out) ..."
make_dictation "$narrow" 8000 1
make_dictation "$wide" 44100 2

if [[ ! -f $build/build.ninja ]]; then
  echo "Configuring a Release tree in $build ..."
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF \
    -DQUORVEL_TESTS=OFF -DQUORVEL_BENCHMARKS=OFF > "$out/cmake.log" ||
    fail_setup "cmake failed, see $out/cmake.log"
fi
# Always brought up to date, so the figures belong to the sources as they are.
ninja -C "$build" -j2 import-batch Adpcmio Riffio > "$out/build.log" ||
  fail_setup "the build failed, see $out/build.log"

# A fresh input folder with the dictations, half of each kind; not timed.
fill_inputs() {
  local folder=$1
  rm -rf "$folder"
  mkdir -p "$folder"
  for ((i = 1; i <= count; i++)); do
    local source=$narrow
    ((i % 2)) || source=$wide
    cp "$source" "$folder/$(printf 'dictation %03d.wav' "$i")"
  done
  # Arrived a while ago: a dictation that changed in the last seconds is left for a later run.
  touch -d '1 minute ago' "$folder"/*
}

now() { date +%s%N; }
elapsed() { awk -v ns=$(($2 - $1)) 'BEGIN { printf "%.2f", ns / 1e9 }'; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# import-batch in a workspace of its own, on absolute paths.
batch_work=$out/batch-work
rm -rf "$batch_work"
mkdir -p "$batch_work/out"
fill_inputs "$batch_work/in"
printf '%s\r\n' '[Startup]' "InputDir1=$batch_work/in" "OutputDir1=$batch_work/out" \
  'UserID1=1001' 'Loc1=00' 'VoxFormat=1' > "$batch_work/import.ini"
sync
start=$(now)
(cd "$batch_work" && TMPDIR=$out "$build/bin/import-batch" > "$out/batch.log" 2>&1) ||
  fail_setup "import-batch failed, see $out/batch.log"
end=$(now)
batch_seconds=$(elapsed "$start" "$end")
converted=$(grep -c ' -> ' "$out/batch.log" || true)
((converted == count)) || fail_setup "import-batch converted $converted of $count, see $out/batch.log"

# The same work as a shell loop around sox: convert, then mark the input done.
sox_work=$out/sox-work
rm -rf "$sox_work"
mkdir -p "$sox_work/out"
fill_inputs "$sox_work/in"
sync
start=$(now)
for file in "$sox_work"/in/*.wav; do
  name=$(basename "$file" .wav)
  sox "$file" -r 8000 -c 1 -e oki-adpcm "$sox_work/out/$name.vox"
  mv "$file" "$sox_work/in/_$name.wav"
done
end=$(now)
sox_seconds=$(elapsed "$start" "$end")

ratio=$(awk -v b="$batch_seconds" -v s="$sox_seconds" 'BEGIN { printf "%.2f", s / b }')
printf '\nload average before and after: %s / %s\n' "$load_before" "$(cut -d' ' -f1-3 /proc/loadavg)"
verdict=$(awk -v r="$ratio" 'BEGIN { print (r >= 2 ? "met" : "MISSED") }')
printf '\n%d dictations of 5 minutes (half 8 kHz mono, half 44.1 kHz stereo) to ADPCM VOX\n' "$count"
printf '%-12s %10s\n' "import-batch" "${batch_seconds} s" "sox loop" "${sox_seconds} s"
printf 'sox loop / import-batch = %sx (target at least 2x): %s\n' "$ratio" "$verdict"
[[ $verdict == met ]]
