#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the fuzzers briefly while it builds the Debian package, then
# every test through CTest, and checks the package as an administrator would meet it.
# Any sanitizer report fails the run. Each phase's time is printed at the end.
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

# The fuzzers run one at a time, on one core: the Debian package is built on the other.
fuzz_log=$(mktemp)
bash "$root/tools/fuzz/run-fuzzers.sh" "${QUORVEL_FUZZ_SECONDS:-30}" >"$fuzz_log" 2>&1 &
fuzz_pid=$!
package=$(QUORVEL_PACKAGE_JOBS=1 bash "$root/tools/package/build-package.sh")
fuzz_status=0
wait "$fuzz_pid" || fuzz_status=$?
cat "$fuzz_log"
rm -f "$fuzz_log"
[ "$fuzz_status" -eq 0 ] || exit "$fuzz_status"
phase_done "fuzz and package"

ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
phase_done tests

bash "$root/tools/package/check-package.sh" "$package"
phase_done "package check"
