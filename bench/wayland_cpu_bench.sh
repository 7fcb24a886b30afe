#!/usr/bin/env bash
# Processor share of verdane on Wayland beside X11 at 1920x1080, in one run
# on this machine:
#   1. a headless sway (scripts/with-sway.sh) with swaybg alone, then with
#      verdane -fullscreen and -root at the defaults ("Growth Rate" and
#      "Plant Size" 0) and -root at 100/100;
#   2. verdane -root on Xvfb with a black root at the defaults and at
#      100/100.
# After a warm-up, the processor time that verdane and the compositor (or
# X server) used over SECONDS (the scheduler's run time) is printed as a
# share of one core. Build the native tree first.
#
# Usage: bench/wayland_cpu_bench.sh [SECONDS]
#   VERDANE_HACK names another build of the program.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
warmup=3
hack=$(realpath "${VERDANE_HACK:-build/native/hack/verdane}")

# The measurements run inside a private sway of the full HD size.
if [ -z "${VERDANE_SWAY_PID:-}" ]; then
  VERDANE_WAYLAND_SCREEN=1920x1080 exec scripts/with-sway.sh "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-bench.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# ticks PID...: the processes' run time in nanoseconds.
source bench/schedstat.sh

share() {
  awk -v t="$1" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / 1e9 / s }'
}

# measure LABEL SERVER-PID [VERDANE-PID]
measure() {
  local label=$1 server=$2 hack_pid=${3:-}
  local h0 s0 h1 s1
  h0=$(ticks $hack_pid); s0=$(ticks "$server")
  sleep "$seconds"
  h1=$(ticks $hack_pid); s1=$(ticks "$server")
  printf "%-40s %8s %% %8s %% %8s %%\n" "$label" "$(share $((h1 - h0)))" "$(share $((s1 - s0)))" \
    "$(share $((h1 - h0 + s1 - s0)))"
}

# run LABEL SERVER-PID ENVIRONMENT... -- ARGUMENTS...: verdane measured
# beside its server, then stopped.
run() {
  local label=$1 server=$2
  shift 2
  local environment=()
  while [ "$1" != "--" ]; do environment+=("$1"); shift; done
  shift
  env "${environment[@]}" XDG_CONFIG_HOME="$work/config" "$hack" "$@" 2>/dev/null &
  local hack_pid=$!
  pids+=("$hack_pid")
  sleep "$warmup"
  measure "$label" "$server" "$hack_pid"
  kill "$hack_pid"
  wait "$hack_pid" 2>/dev/null || true
}

mkdir -p "$work/config"
echo "1920x1080, ${seconds} s after ${warmup} s of warm-up; share of one core"
printf "%-40s %10s %10s %10s\n" "" "verdane" "server" "together"

swaybg -c '#204080' >/dev/null 2>&1 &
pids+=($!)
sleep "$warmup"
measure "sway with swaybg alone" "$VERDANE_SWAY_PID"
run "Wayland -fullscreen, defaults" "$VERDANE_SWAY_PID" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" -- -fullscreen --wayland
run "Wayland -root, defaults" "$VERDANE_SWAY_PID" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" -- -root --wayland
run "Wayland -root, 100/100" "$VERDANE_SWAY_PID" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" -- -root --wayland \
  --growth-rate 100 --plant-size 100

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -br 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
pids+=("$xvfb_pid")
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n1 "$work/display")"
sleep 1
run "X11 -root, defaults" "$xvfb_pid" DISPLAY="$display" -- -root --x11
run "X11 -root, 100/100" "$xvfb_pid" DISPLAY="$display" -- -root --x11 --growth-rate 100 --plant-size 100
