#!/usr/bin/env bash
# Takes the README's pictures, each on a private headless display under
# Wine (scripts/with-wine-display.sh):
#   docs/settings-dialog.png  verdane.scr /c with the sliders set part way,
#                             once the preview has grown a while, at 96 DPI;
#   docs/settings-dialog-120dpi.png, docs/settings-dialog-144dpi.png
#                             the same at 120 and 144 DPI (the per-user
#                             LogPixels setting, read when a program starts);
#   docs/saver-full-screen.png  verdane.scr /s at "Plant Size" 60 and
#                             "Growth Rate" 10 after a few seconds of growth
#                             over the desktop picture of make-desktop.py,
#                             shown full screen by backdrop.exe;
#   docs/verdane-x11-window.png  the X11 program, verdane -window, at the
#                             same settings over the same desktop picture
#                             shown on the root window (taken only when the
#                             native build has it).
#
# Needs a Windows build of verdane.scr and backdrop.exe, Wine, Xvfb, Python
# and ImageMagick.
#
# Usage: scripts/make-screenshots.sh [PATH/TO/verdane.scr]
set -euo pipefail
cd "$(dirname "$0")/.."

saver=${1:-build/win/saver/verdane.scr}
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

  dpi() { wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

  store "Star Speed" 40
  store "Star Number" 30
  # The desktop is black around the dialog: trimming leaves the dialog.
  trim="-trim +repage" photograph 4 docs/settings-dialog.png "$saver" /c
  for scale in 120 144; do
    dpi "$scale"
    trim="-trim +repage" photograph 4 "docs/settings-dialog-${scale}dpi.png" "$saver" /c
  done
  dpi 96

  # The saver over a desktop picture, as it starts over a real desktop.
  store "Star Speed" 60
  store "Star Number" 10
  trim="" photograph 5 docs/saver-full-screen.png "$backdrop" "$desktop" "$saver" /s
' screenshots "$saver" "$backdrop" "$desktop"
echo "wrote docs/settings-dialog.png, docs/settings-dialog-120dpi.png, docs/settings-dialog-144dpi.png and docs/saver-full-screen.png"

hack=build/native/hack/verdane
if [ -x "$hack" ]; then
  # The desktop picture on the root window, then verdane -window over it;
  # each program is ended by its own process id.
  scripts/with-wine-display.sh bash -c '
    set -euo pipefail
    display -window root "$2" &
    root_pid=$!
    sleep 2
    "$1" -window --plant-size 60 --growth-rate 10 &
    hack_pid=$!
    sleep 6
    import -window root docs/verdane-x11-window.png
    kill "$hack_pid" "$root_pid" 2>/dev/null || true
    wait "$hack_pid" "$root_pid" 2>/dev/null || true
  ' x11-screenshot "$hack" "$desktop"
  echo "wrote docs/verdane-x11-window.png"
fi
