#!/usr/bin/env bash
# Builds the libFuzzer targets of the readers (the plug-ins, the conversion chain's sources, the
# DSS converter) with clang-14 (AddressSanitizer and UndefinedBehaviorSanitizer) and runs each
# for SECONDS (default 30) from a freshly written seed corpus. Corpora and crash artifacts stay
# in fuzz-corpus/ (ignored by git).
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

status=0
for target in fuzz_open_wav fuzz_open_vox fuzz_wave_source fuzz_dictconv; do
  corpus="$corpus_root/$target"
  artifacts="$corpus_root/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  QUORVEL_WRITE_SEEDS="$corpus" "$build/bin/$target"
  echo "== $target for ${seconds}s"
  if ! "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" \
      2>"$corpus_root/$target.log"; then
    status=1
    echo "!! $target found a fault; see $corpus_root/$target.log and $artifacts" >&2
    tail -n 40 "$corpus_root/$target.log" >&2
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' \
    "$corpus_root/$target.log" || true
done
exit $status
