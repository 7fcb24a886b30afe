#!/usr/bin/env bash
# Runs COMMAND... with Wine on a private headless display:
#   - Xvfb on a display number it picks itself (free at that moment),
#   - a fresh, private Wine prefix in a temporary folder, initialised once
#     with wineboot (Mono and Gecko declined, so no installer prompts),
#   - WINEDEBUG=-all, DISPLAY and WINEPREFIX exported to the command.
# Afterwards, whatever happened, the prefix's wineserver (and with it every
# Wine process of the prefix) and the Xvfb started here are stopped, by
# their own prefix and process id, and the prefix is removed. The exit code
# is the command's.
#
# Usage: scripts/with-wine-display.sh ctest --test-dir build/win --output-on-failure
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGUMENT...]" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-wine.XXXXXX")
xvfb_pid=""
prefix_ready=""

cleanup() {
  if [ -n "$prefix_ready" ]; then
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb writes the number of the display it took to the descriptor given
# with -displayfd; it tries numbers until one is free, so two runs at the
# same time never share a display. VERDANE_SCREEN sets its size (benchmarks
# and pictures of a full HD screen); the suites use the default.
Xvfb -displayfd 3 -screen 0 "${VERDANE_SCREEN:-1024x768x24}" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not report a display" >&2
  exit 1
fi

export DISPLAY=":$(head -n1 "$work/display")"
export WINEPREFIX="$work/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

prefix_ready=yes
wineboot --init >"$work/wineboot.log" 2>&1 || {
  echo "wineboot failed:" >&2
  cat "$work/wineboot.log" >&2
  exit 1
}

# No window manager runs on the display, so the X11 driver must not wait
# for one: with managed windows every hidden or destroyed window would cost
# the driver's two-second wait for the manager's answer.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$work/reg.log" 2>&1 || {
  echo "could not configure the Wine prefix:" >&2
  cat "$work/reg.log" >&2
  exit 1
}

status=0
"$@" || status=$?
exit "$status"
