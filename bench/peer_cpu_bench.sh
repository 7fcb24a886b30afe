#!/usr/bin/env bash
# Processor share of verdane -root beside XScreenSaver's own hacks, in one
# run and in turns, each program on a fresh Xvfb with a black root:
#   verdane at Growth Rate / Plant Size 0 / 0, 100 / 0 and 100 / 100 at
#   1920x1080, and 100 / 100 at 3840x2160;
#   abstractile, deco and popsquares (Debian's xscreensaver-data) at 1920x1080.
# After a warm-up, the processor time of the program and of its X server
# over SECONDS is printed as a share of one core, each and together, and
# how many times a second each was woken (ran on a processor).
#
# More than one verdane build may be given (for example a copy of main's
# beside the working tree's): each setting is then measured for each build
# in turn, so that their figures come from the same run.
#
# Usage: bench/peer_cpu_bench.sh [-s SECONDS] [-r ROUNDS] [VERDANE...]
#   default VERDANE: build/native/hack/verdane
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=10
rounds=1
while getopts "s:r:" option; do
  case $option in
    s) seconds=$OPTARG ;;
    r) rounds=$OPTARG ;;
    *) echo "usage: $0 [-s SECONDS] [-r ROUNDS] [VERDANE...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
builds=("$@")
[ ${#builds[@]} -eq 0 ] && builds=(build/native/hack/verdane)
for build in "${builds[@]}"; do
  [ -x "$build" ] || { echo "$build is not built" >&2; exit 1; }
done
warmup=3
hacks=/usr/libexec/xscreensaver
work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-peers.XXXXXX")
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Nanoseconds that a process's threads have run, from the scheduler's own
# account (exact, where the clock ticks of /proc/PID/stat only sample, and
# overcharge a program that wakes in step with them); a gone one counts 0.
runtime() {
  local total=0 ns _ file
  for file in /proc/"$1"/task/*/schedstat; do
    read -r ns _ 2>/dev/null <"$file" || continue
    total=$((total + ns))
  done
  echo "$total"
}

# Times that a process's threads have been put on a processor, from the
# same account: each wake-up counts one.
runs() {
  local total=0 _ count file
  for file in /proc/"$1"/task/*/schedstat; do
    read -r _ _ count 2>/dev/null <"$file" || continue
    total=$((total + count))
  done
  echo "$total"
}

# Per second over the measurement, rounded.
rate() {
  awk -v n="$1" -v s="$seconds" 'BEGIN { printf "%.0f", n / s }'
}

# Share of one core, in percent with two decimals, of nanoseconds over seconds.
share() {
  awk -v t="$1" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / 1e9 / s }'
}

# Runs the command on a fresh Xvfb of the size given and prints its share.
# Usage: measure LABEL SIZE COMMAND...
measure() {
  local label=$1 size=$2
  shift 2
  local file="$work/display" xvfb program p0 x0 p1 x1 pw0 xw0 pw1 xw1
  rm -f "$file"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -br 3>"$file" >/dev/null 2>&1 &
  xvfb=$!
  pids+=("$xvfb")
  for _ in $(seq 1 100); do [ -s "$file" ] && break; sleep 0.1; done
  DISPLAY=":$(head -n1 "$file")" XDG_CONFIG_HOME="$work/config" "$@" >/dev/null 2>&1 &
  program=$!
  pids+=("$program")
  sleep "$warmup"
  p0=$(runtime "$program"); x0=$(runtime "$xvfb"); pw0=$(runs "$program"); xw0=$(runs "$xvfb")
  sleep "$seconds"
  p1=$(runtime "$program"); x1=$(runtime "$xvfb"); pw1=$(runs "$program"); xw1=$(runs "$xvfb")
  printf "%-44s %8s %% %8s %% %8s %% %8s %8s\n" "$label" "$(share $((p1 - p0)))" "$(share $((x1 - x0)))" \
    "$(share $((p1 - p0 + x1 - x0)))" "$(rate $((pw1 - pw0)))" "$(rate $((xw1 - xw0)))"
  kill "$program" "$xvfb" 2>/dev/null || true
  wait "$program" "$xvfb" 2>/dev/null || true
}

mkdir -p "$work/config"
echo "Black root, ${seconds} s after ${warmup} s of warm-up, ${rounds} round(s); share of one core"
printf "%-44s %10s %10s %10s %8s %8s\n" "" "program" "X server" "together" "wakes/s" "X wakes"
for _ in $(seq 1 "$rounds"); do
  for setting in "1920x1080 0 0" "1920x1080 100 0" "1920x1080 100 100" "3840x2160 100 100"; do
    set -- $setting
    for build in "${builds[@]}"; do
      measure "$(basename "$(dirname "$(dirname "$build")")")/verdane $1 $2 / $3" "$1" \
        "$build" -root --growth-rate "$2" --plant-size "$3"
    done
  done
  for hack in abstractile deco popsquares; do
    if [ -x "$hacks/$hack" ]; then
      measure "$hack 1920x1080" 1920x1080 "$hacks/$hack" -root
    else
      echo "$hack: not installed (xscreensaver-data)"
    fi
  done
done
