#!/usr/bin/env bash
# Builds the libFuzzer targets of the readers (the plug-ins, the conversion chain's sources, the
# DSS converter) with clang-14 (AddressSanitizer and UndefinedBehaviorSanitizer) and runs each
# for SECONDS (default 30) from a freshly written seed corpus, QUORVEL_FUZZ_JOBS (default 2) at a
# time. Corpora and crash artifacts stay in fuzz-corpus/ (ignored by git).
# Usage: tools/fuzz/run-fuzzers.sh [SECONDS]
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source_dir=${QUORVEL_FUZZ_SOURCE:-$root}
build=${QUORVEL_FUZZ_BUILD:-$root/build-fuzz}
corpus_root=${QUORVEL_FUZZ_CORPUS:-$root/fuzz-corpus}
jobs=${QUORVEL_FUZZ_JOBS:-2}

cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DQUORVEL_FUZZERS=ON -DQUORVEL_SANITIZE=OFF -DQUORVEL_TESTS=OFF -DQUORVEL_BENCHMARKS=OFF \
  >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_open_wav fuzz_open_vox fuzz_wave_source fuzz_dictconv

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}:halt_on_error=1
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}:halt_on_error=1

# One fuzzer's run; its summary, with the end of its log when it found a fault, goes to a file
# of its own.
fuzz_one() {
  local target=$1
  local corpus="$corpus_root/$target"
  local artifacts="$corpus_root/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  QUORVEL_WRITE_SEEDS="$corpus" "$build/bin/$target"
  local status=0
  "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" \
    2>"$corpus_root/$target.log" || status=1
  {
    echo "== $target for ${seconds}s"
    if [ "$status" -ne 0 ]; then
      echo "!! $target found a fault; see $corpus_root/$target.log and $artifacts"
      tail -n 40 "$corpus_root/$target.log"
    fi
    grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' \
      "$corpus_root/$target.log" || true
  } >"$corpus_root/$target.summary"
  return "$status"
}

# As many fuzzers at a time as there are jobs; the summaries are printed in a fixed order, and a
# fault of any fails the whole.
targets=(fuzz_open_wav fuzz_open_vox fuzz_wave_source fuzz_dictconv)
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  rm -f "$corpus_root/$target.failed" "$corpus_root/$target.summary"
  (fuzz_one "$target" || touch "$corpus_root/$target.failed") &
  running=$((running + 1))
done
wait
status=0
for target in "${targets[@]}"; do
  cat "$corpus_root/$target.summary"
  if [ -e "$corpus_root/$target.failed" ]; then
    status=1
  fi
done
exit $status
