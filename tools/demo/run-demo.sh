#!/usr/bin/env bash
# Builds the program and runs its main job on a demo workspace with a few spoken sample
# dictations: import-batch converts them to ADPCM VOX files named by the job header, a new set
# of the same dictations arrives, and the program's window converts those with Convert All.
#
#   bash tools/demo/run-demo.sh [--build DIR] [--headless SECONDS] [--screenshot FILE] [--reset]
#
# The workspace is demo/ in the repository root: demo/drives stands for the drive letters
# (C:\Dict\Type1 is demo/drives/c/Dict/Type1), and demo/import.ini is the program's
# configuration. Without a display (or with --headless) the program runs under Xvfb for the
# given number of seconds (default 8), runs Convert All itself and a picture of its window with
# the converted jobs is saved (default demo/screenshot.png); with a display, press Convert All.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build-demo
demo=$root/demo
headless_seconds=""
screenshot=""
reset=false

usage() {
  sed -n '2,11p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
  exit "${1:-0}"
}

while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$(realpath -m "$2"); shift 2 ;;
    --headless) headless_seconds=$2; shift 2 ;;
    --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
    --reset) reset=true; shift ;;
    -h|--help) usage 0 ;;
    *) echo "run-demo.sh: unknown option $1" >&2; usage 2 ;;
  esac
done

if [ -z "$headless_seconds" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  headless_seconds=8
fi
if [ -n "$headless_seconds" ] && ! [[ "$headless_seconds" =~ ^[0-9]+$ ]]; then
  echo "run-demo.sh: --headless needs a number of seconds" >&2
  exit 2
fi

bash "$root/tools/setup/install-deps.sh"

echo "Building the program in $build ..."
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF \
  -DQUORVEL_TESTS=OFF -DQUORVEL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

# One spoken dictation: espeak-ng speaks the text, sox makes it 16-bit mono at the given rate.
make_dictation() {
  local file=$1 rate=$2 text=$3
  [ -f "$file" ] && return 0
  local spoken
  spoken=$(mktemp --suffix=.wav)
  espeak-ng -v en-us -s 150 -w "$spoken" "$text"
  sox "$spoken" -r "$rate" -b 16 -c 1 "$file" 2>/dev/null
  rm -f "$spoken"
  # Recorded a while ago: a dictation that changed in the last seconds is still arriving.
  touch -d '1 minute ago' "$file"
}

make_workspace() {
  local drives=$demo/drives/c
  mkdir -p "$drives/Dict/Type1" "$drives/Dict/Type2" "$drives/Dict/Type3"
  mkdir -p "$drives/Convert/TSP/type1" "$drives/Convert/TSP/type2" "$drives/Convert/TSP/type3"

  make_dictation "$drives/Dict/Type1/smith-discharge.wav" 8000 \
    "Discharge summary for patient number four one two. The patient was admitted on Monday \
with chest pain. Please copy the cardiology clinic."
  make_dictation "$drives/Dict/Type1/smith-referral.wav" 8000 \
    "Referral letter. Dear doctor Brown, thank you for seeing this sixty year old gentleman \
with a persistent cough. Yours sincerely."
  make_dictation "$drives/Dict/Type1/_smith-yesterday.wav" 8000 \
    "This dictation was converted yesterday and is no longer waiting."
  make_dictation "$drives/Dict/Type2/jones-letter.wav" 11025 \
    "Letter to the insurance office. Further to our telephone call, I enclose the report \
you asked for. Full stop. New paragraph."
  make_dictation "$drives/Dict/Type2/jones-memo.wav" 11025 \
    "Memo to all staff. The office will close early on Friday for the annual training day."
  make_dictation "$drives/Dict/Type3/clinic-notes.WAV" 8000 \
    "Clinic notes, Tuesday morning list. First patient seen for review of blood pressure, \
medication unchanged, review in three months."

  # The demo's own directory table: three authors, no tips window, so the jobs show at once.
  if [ ! -f "$demo/import.ini" ]; then
    printf '%s\r\n' \
      '[Startup]' \
      'InputDir1=C:\Dict\Type1' 'OutputDir1=C:\Convert\TSP\type1' 'UserID1=1001' 'Loc1=00' \
      'InputDir2=C:\Dict\Type2' 'OutputDir2=C:\Convert\TSP\type2' 'UserID2=1002' 'Loc2=00' \
      'InputDir3=C:\Dict\Type3' 'OutputDir3=C:\Convert\TSP\type3' 'UserID3=1003' 'Loc3=01' \
      'VoxFormat=1' 'ShowErrors=1' 'ShowTips=0' 'Width=760' 'Height=360' >"$demo/import.ini"
  fi
}

if $reset; then
  rm -rf "$demo"
fi
make_workspace
echo "Demo workspace: $demo"

program=$build/bin/Import
# The player lies in the working folder, so a double click on a job plays the dictation.
ln -sfn "$build/bin/Listenbox" "$demo/Listenbox"
export IMPORT_DRIVE_ROOT=$demo/drives
cd "$demo"

# The main job without a window: every waiting dictation becomes a VOX file with a job-header
# name, and its input is marked done with a leading "_".
echo "The waiting dictations and the names they will get (import-batch --dry-run):"
"$build/bin/import-batch" --dry-run
echo "Converting them (import-batch):"
"$build/bin/import-batch" || echo "run-demo.sh: import-batch reported failed jobs (see above)" >&2

# The same dictations arrive again, for the window to convert.
make_workspace

if [ -z "$headless_seconds" ]; then
  exec "$program"
fi

screenshot=${screenshot:-$demo/screenshot.png}
rm -f "$screenshot"
echo "No display: running the program under Xvfb for $headless_seconds seconds ..."
status=0
IMPORT_CONVERT_ALL=1 IMPORT_SCREENSHOT=$screenshot QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x640x24" timeout "$headless_seconds" "$program" || status=$?
# timeout ends the program with 124: that is the expected end of a headless run.
if [ "$status" -ne 0 ] && [ "$status" -ne 124 ]; then
  echo "run-demo.sh: the program ended with $status" >&2
  exit "$status"
fi
if [ ! -f "$screenshot" ]; then
  echo "run-demo.sh: no screenshot was taken" >&2
  exit 1
fi
echo "Screenshot of the main window: $screenshot"
