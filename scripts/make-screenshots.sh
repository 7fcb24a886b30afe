#!/usr/bin/env bash
# Takes the README's pictures, each on a private headless display under
# Wine (scripts/with-wine-display.sh):
#   docs/settings-dialog.png  verdane.scr /c with the sliders set part way,
#                             once the preview has grown a while;
#   docs/saver-full-screen.png  verdane.scr /s at "Plant Size" 60 and
#                             "Growth Rate" 10 after a few seconds of growth
#                             over the desktop picture of make-desktop.py,
#                             shown full screen by backdrop.exe.
#
# Needs a Windows build of verdane.scr and backdrop.exe, Wine, Xvfb, Python
# and ImageMagick.
#
# Usage: scripts/make-screenshots.sh [PATH/TO/verdane.scr]
set -euo pipefail
cd "$(dirname "$0")/.."

saver=${1:-build/win/app/verdane.scr}
if [ ! -f "$saver" ]; then
  echo "saver not found: $saver (build the Windows build first)" >&2
  exit 2
fi
mkdir -p docs
backdrop=$(dirname "$saver")/../tools/backdrop/backdrop.exe
desktop=build/desktop-1024x768.bmp
python3 scripts/make-desktop.py 1024x768 "$desktop"

# Each saver is ended by its own process id.
scripts/with-wine-display.sh bash -c '
  set -euo pipefail
  key="HKCU\\Software\\Tarnwell\\verdane\\Config"
  store() { wine reg add "$key" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
  # Runs a Wine program for some seconds, then photographs the display
  # with import, giving it the options in $trim first.
  # Usage: photograph SECONDS PICTURE.png PROGRAM [ARGUMENT...]
  photograph() {
    local seconds=$1 picture=$2
    shift 2
    wine "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep "$seconds"
    import -window root $trim "$picture"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  }
  saver=$1 backdrop=$2 desktop=$3

  store "Star Speed" 40
  store "Star Number" 30
  # The desktop is black around the dialog: trimming leaves the dialog.
  trim="-trim +repage" photograph 4 docs/settings-dialog.png "$saver" /c

  # The saver over a desktop picture, as it starts over a real desktop.
  store "Star Speed" 60
  store "Star Number" 10
  trim="" photograph 5 docs/saver-full-screen.png "$backdrop" "$desktop" "$saver" /s
' screenshots "$saver" "$backdrop" "$desktop"
echo "wrote docs/settings-dialog.png and docs/saver-full-screen.png"
