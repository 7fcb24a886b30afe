#!/usr/bin/env bash
# Takes the README's pictures, each on a private headless display under
# Wine (scripts/with-wine-display.sh):
#   docs/settings-dialog.png  verdane.scr /c with the sliders set part way,
#                             once the preview has grown a while, at 96 DPI;
#   docs/settings-dialog-120dpi.png, docs/settings-dialog-144dpi.png
#                             the same at 120 and 144 DPI (the per-user
#                             LogPixels setting, read when a program starts);
#   docs/saver-full-screen.png  verdane.scr /s at "Growth Rate" 20 after a
#                             few seconds of growth.
#
# Needs a Windows build of verdane.scr, Wine, Xvfb and ImageMagick.
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

# Each saver is ended by its own process id.
scripts/with-wine-display.sh bash -c '
  set -euo pipefail
  key="HKCU\\Software\\Tarnwell\\verdane\\Config"
  store() { wine reg add "$key" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
  # Runs the saver with a switch for some seconds, then photographs the display.
  photograph() {
    wine "$saver" "$1" >/dev/null 2>&1 &
    local saver_pid=$!
    sleep "$2"
    shift 2
    import -window root "$@"
    kill "$saver_pid" 2>/dev/null || true
    wait "$saver_pid" 2>/dev/null || true
  }
  saver=$1

  dpi() { wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

  store "Star Speed" 40
  store "Star Number" 30
  # The desktop is black around the dialog: trimming leaves the dialog.
  photograph /c 4 -trim +repage docs/settings-dialog.png
  for scale in 120 144; do
    dpi "$scale"
    photograph /c 4 -trim +repage "docs/settings-dialog-${scale}dpi.png"
  done
  dpi 96

  store "Star Speed" 0
  store "Star Number" 20
  photograph /s 3 docs/saver-full-screen.png
' screenshots "$saver"
echo "wrote docs/settings-dialog.png, docs/settings-dialog-120dpi.png, docs/settings-dialog-144dpi.png and docs/saver-full-screen.png"
