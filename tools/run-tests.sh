#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the fuzzers briefly, then every test through CTest. Any
# sanitizer report fails the run. Each phase's time is printed at the end.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVEL_TEST_BUILD:-$root/build-asan}
jobs=$(nproc)

phases=()
phase_start=$SECONDS
phase_done() {
  phases+=("$1 $((SECONDS - phase_start)) s")
  phase_start=$SECONDS
}
trap 'echo "== times: ${phases[*]:-none}"' EXIT

bash "$root/tools/setup/install-deps.sh"
phase_done setup

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs"
phase_done build

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

bash "$root/tools/fuzz/run-fuzzers.sh" "${QUORVEL_FUZZ_SECONDS:-30}"
phase_done fuzz

ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
phase_done tests
