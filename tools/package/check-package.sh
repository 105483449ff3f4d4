#!/usr/bin/env bash
# Checks a built Debian package the way an administrator meets it: unpacked into an empty
# folder, its import-batch checks and converts a small workspace with no LD_LIBRARY_PATH; the
# desktop entry and the metainfo validate; the systemd unit verifies where systemd can; and
# lintian lists what it finds (errors fail the check, warnings are listed).
# Usage: tools/package/check-package.sh PACKAGE.deb
set -euo pipefail

deb=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unpacked=$work/root
dpkg-deb -x "$deb" "$unpacked"
bin=$unpacked/usr/bin

echo "== contents"
for program in Import import-batch quiesc Dictconv Listenbox; do
  test -x "$bin/$program" || { echo "missing program $program" >&2; exit 1; }
done
test -f "$unpacked/usr/share/doc/quorvel-import/Import.html"
test -f "$unpacked/usr/share/man/man1/import-batch.1.gz"
test -f "$unpacked/usr/lib/systemd/system/import-batch@.service"
ls "$unpacked"/usr/lib/*/quorvel/

echo "== a conversion from the unpacked programs"
workspace=$work/office
drives=$workspace/drives
mkdir -p "$drives/c/Dict/Type1" "$drives/c/Convert/TSP/type1"
printf '[Startup]\r\nInputDir1=C:\\Dict\\Type1\r\nOutputDir1=C:\\Convert\\TSP\\type1\r\nUserID1=1001\r\nLoc1=00\r\nVoxFormat=1\r\n' \
  > "$workspace/import.ini"
# One second of a tone as 16-bit PCM at 8000 Hz, written by the unpacked quiesc from a
# headerless u-law file.
head -c 8000 /dev/urandom > "$work/tone.ul"
env -u LD_LIBRARY_PATH "$bin/quiesc" convert "$work/tone.ul" "$drives/c/Dict/Type1/memo.wav" \
  --out-format pcm16
# A dictation that arrived a minute ago has settled.
touch -d '1 minute ago' "$drives/c/Dict/Type1/memo.wav"
(
  cd "$workspace"
  export IMPORT_DRIVE_ROOT=$drives
  env -u LD_LIBRARY_PATH "$bin/import-batch" --check
  env -u LD_LIBRARY_PATH "$bin/import-batch"
)
test -f "$drives/c/Dict/Type1/_memo.wav"
ls "$drives/c/Convert/TSP/type1/" | grep -q '\.vox$'

echo "== desktop entry and metainfo"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.xml

echo "== systemd unit"
if systemd-analyze --version >/dev/null 2>&1; then
  # verify resolves the unit's programs on this system: point it at the unpacked ones.
  unit=$work/import-batch@.service
  sed "s|/usr/bin/|$bin/|g" "$unpacked/usr/lib/systemd/system/import-batch@.service" > "$unit"
  instance=$work/import-batch@$(systemd-escape --path "$workspace").service
  cp "$unit" "$instance"
  # Unknown keys are only warnings to verify: any line it prints fails the check.
  findings=$(systemd-analyze verify --man=no "$instance" 2>&1) || true
  if [ -n "$findings" ]; then
    echo "$findings" >&2
    exit 1
  fi
  echo "verified"
else
  echo "systemd-analyze is not available: not verified"
fi

echo "== lintian"
if command -v lintian >/dev/null; then
  status=0
  report=$(lintian --tag-display-limit 0 --fail-on error "$deb" 2>&1) || status=$?
  grep -v "running with root privileges" <<<"$report" || echo "no findings"
  exit $status
else
  echo "lintian is not installed: not checked"
fi
