#!/usr/bin/env bash
# Builds the programs and libraries in a Release build and makes the Debian package with CPack.
# Prints the package's path. Usage: tools/package/build-package.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build-package}
jobs=${QUORVEL_PACKAGE_JOBS:-$(nproc)}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUORVEL_TESTS=OFF -DQUORVEL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/quorvel-import_*.deb
