#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the demo need.
# Quick when everything is present: apt-get runs only for missing packages.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsndfile1-dev libsoxr-dev portaudio19-dev libasound2-dev libasound2-plugins alsa-utils
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  xvfb xauth espeak-ng sox libsox-fmt-all
  xdg-utils time strace
  ffmpeg
  scdoc librsvg2-bin dpkg-dev lintian desktop-file-utils appstream systemd
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
