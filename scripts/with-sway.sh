#!/usr/bin/env bash
# Runs COMMAND... with a private headless sway as its Wayland compositor:
#   - sway with the headless backend and the pixman renderer, no input
#     devices and no Xwayland, one output of $VERDANE_WAYLAND_SCREEN
#     (WxH, 1024x768 by default), in a fresh runtime folder of its own,
#   - as an unprivileged user, since sway refuses to run as root: as root
#     it runs as the system user verdane-wl (made when missing) through
#     setpriv, otherwise as the caller,
#   - XDG_RUNTIME_DIR, WAYLAND_DISPLAY, SWAYSOCK and VERDANE_SWAY_PID
#     exported to the command, DISPLAY unset.
# Without sway it exits 77 (what ctest counts as skipped).
# Afterwards, whatever happened, the sway started here is stopped by its
# own process id and the folder is removed. The exit code is the
# command's.
#
# Usage: scripts/with-sway.sh ctest --test-dir build/native -R wayland --output-on-failure
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGUMENT...]" >&2
  exit 2
fi

if ! command -v sway >/dev/null; then
  echo "sway is not installed" >&2
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-sway.XXXXXX")
sway_pid=""

cleanup() {
  if [ -n "$sway_pid" ]; then
    kill "$sway_pid" 2>/dev/null || true
    wait "$sway_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

runtime="$work/runtime"
mkdir -m 0700 "$runtime"
cat >"$work/config" <<CONFIG
xwayland disable
output HEADLESS-1 resolution ${VERDANE_WAYLAND_SCREEN:-1024x768} position 0 0
CONFIG

run_as=()
if [ "$(id -u)" -eq 0 ]; then
  user=verdane-wl
  if ! id "$user" >/dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  fi
  chown "$user" "$runtime"
  chmod a+rx "$work"
  chmod a+r "$work/config"
  run_as=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups)
fi

"${run_as[@]}" env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$runtime" \
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  sway -c "$work/config" >"$work/sway.log" 2>&1 &
sway_pid=$!

socket=""
ipc=""
for _ in $(seq 1 100); do
  socket=$(cd "$runtime" && ls wayland-* 2>/dev/null | grep -v '\.lock$' | head -n1 || true)
  ipc=$(cd "$runtime" && ls sway-ipc.*.sock 2>/dev/null | head -n1 || true)
  [ -n "$socket" ] && [ -n "$ipc" ] && break
  if ! kill -0 "$sway_pid" 2>/dev/null; then
    echo "sway did not start:" >&2
    cat "$work/sway.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$socket" ] || [ -z "$ipc" ]; then
  echo "sway did not open its sockets:" >&2
  cat "$work/sway.log" >&2
  exit 1
fi

export XDG_RUNTIME_DIR="$runtime"
export WAYLAND_DISPLAY="$socket"
export SWAYSOCK="$runtime/$ipc"
export VERDANE_SWAY_PID="$sway_pid"
unset DISPLAY WAYLAND_SOCKET

status=0
"$@" || status=$?
exit "$status"
