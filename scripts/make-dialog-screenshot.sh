#!/usr/bin/env bash
# Takes docs/settings-dialog.png, the README's picture of the settings
# dialog: verdane.scr /c under Wine on a private headless display, with the
# sliders set part way, photographed once the preview has grown a while.
#
# Needs a Windows build of verdane.scr, Wine, Xvfb and ImageMagick.
#
# Usage: scripts/make-dialog-screenshot.sh [PATH/TO/verdane.scr]
set -euo pipefail
cd "$(dirname "$0")/.."

saver=${1:-build/win/app/verdane.scr}
if [ ! -f "$saver" ]; then
  echo "saver not found: $saver (build the Windows build first)" >&2
  exit 2
fi
mkdir -p docs

# Runs on the private display; the saver is ended by its own process id.
scripts/with-wine-display.sh bash -c '
  set -euo pipefail
  key="HKCU\\Software\\Tarnwell\\verdane\\Config"
  wine reg add "$key" /v "Star Speed" /t REG_DWORD /d 40 /f >/dev/null 2>&1
  wine reg add "$key" /v "Star Number" /t REG_DWORD /d 30 /f >/dev/null 2>&1
  wine "$1" /c >/dev/null 2>&1 &
  saver_pid=$!
  sleep 4
  # The desktop is black around the dialog: trimming leaves the dialog.
  import -window root -trim +repage docs/settings-dialog.png
  kill "$saver_pid" 2>/dev/null || true
  wait "$saver_pid" 2>/dev/null || true
' screenshot "$saver"
echo "wrote docs/settings-dialog.png"
