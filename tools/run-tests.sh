#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the fuzzers briefly, then every test through CTest.
# Any sanitizer report fails the run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVEL_TEST_BUILD:-$root/build-asan}
jobs=$(nproc)

bash "$root/tools/setup/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

if [ -x "$root/tools/fuzz/run-fuzzers.sh" ] || [ -f "$root/tools/fuzz/run-fuzzers.sh" ]; then
  bash "$root/tools/fuzz/run-fuzzers.sh" "${QUORVEL_FUZZ_SECONDS:-30}"
fi

ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
