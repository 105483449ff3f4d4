#!/usr/bin/env bash
# Saves pictures of the program's windows (main window, both Settings pages, Directories, File
# Transfer, Conversion Progress and the tips window) as they look under X11, running them under
# Xvfb in a workspace of their own; then of the running program: the list sorted by name, a job
# whose conversion failed with its tool tip, files dropped on the window while they are being
# copied, and the hint of a first start.
#
#   bash tools/demo/window-gallery.sh [--build DIR] [OUTPUT_FOLDER]
#
# The build must have the tests on (the gallery program is built with them); the default is
# build-asan, the test suite's build. The windows show a small workspace of their own.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build-asan
if [ "${1:-}" = "--build" ]; then
  build=$2
  shift 2
fi
out=$(realpath -m "${1:-$root/demo/gallery}")
mkdir -p "$out"

cmake --build "$build" --target import_window_gallery Dictconv >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in 1 2 3; do
  mkdir -p "$work/drives/c/Dict/Type$n" "$work/drives/c/Convert/TSP/type$n"
done
head -c 48000 /dev/zero >"$work/drives/c/Dict/Type1/smith-discharge.wav"
head -c 2009000 /dev/zero >"$work/drives/c/Dict/Type1/smith-referral.wav"
# Not a DSS recording: converted, it fails.
head -c 96000 /dev/zero >"$work/drives/c/Dict/Type2/jones-letter.dss"
# Files on a desktop, to be dropped on the window, and an empty first start.
mkdir -p "$work/desktop" "$work/work" "$work/first-start/work" "$work/first-start/drives"
for name in brown-consultation.wav brown-follow-up.wav; do
  head -c 3000000 /dev/zero >"$work/desktop/$name"
done
printf 'not a dictation' >"$work/desktop/clinic-notes.mp3"
head -c 64000 /dev/zero >"$work/desktop/davies-referral.wav"
printf '%s\r\n' \
  '[Startup]' \
  'InputDir1=C:\Dict\Type1' 'OutputDir1=C:\Convert\TSP\type1' 'UserID1=1001' 'Loc1=00' \
  'InputDir2=C:\Dict\Type2' 'OutputDir2=C:\Convert\TSP\type2' 'UserID2=1002' 'Loc2=00' \
  'InputDir3=C:\Dict\Type3' 'OutputDir3=C:\Convert\TSP\type3' 'UserID3=1003' 'Loc3=01' \
  'ShowTips=0' 'EnableSched=1' 'ConvertInterval=30' 'VoxFormat=1' \
  'Left=20' 'Top=20' 'Width=760' 'Height=360' >"$work/work/import.ini"
cd "$work/work"
IMPORT_DRIVE_ROOT=$work/drives QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 \
  xvfb-run -a -s "-screen 0 1024x640x24" "$build/bin/import_window_gallery" "$out" \
  "$work/desktop" "$work/first-start"
