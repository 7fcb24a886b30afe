#!/usr/bin/env bash
# Processor share of Verdane at 1920x1080, "Growth Rate" 100 with "Plant
# Size" 0 and 100, on a black screen under Xvfb, side by side in one run on
# this machine:
#   1. the X11 program: verdane -root (build/native/hack/verdane);
#   2. the Windows saver: verdane.scr /s under Wine (build/win/saver/verdane.scr),
#      in a fresh private prefix.
# Each runs on its own Xvfb; after a warm-up, the processor time that the
# saver's processes and the X server used over SECONDS (the scheduler's run
# time) is printed as a share of one core. Build both trees first
# (scripts/test.sh does).
#
# Usage: bench/hack_cpu_bench.sh [SECONDS]
#   VERDANE_HACK and VERDANE_SCR name other builds of the two programs.
#   VERDANE_WARMUP gives the warm-up in seconds (5 by default). A fresh Wine
#   prefix starts its device and plug-and-play services again about ten
#   seconds after the first program starts, whatever the program; a warm-up
#   of 15 leaves that out of the saver's figures.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
warmup=${VERDANE_WARMUP:-5}
hack=${VERDANE_HACK:-build/native/hack/verdane}
saver=${VERDANE_SCR:-build/win/saver/verdane.scr}
work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-bench.XXXXXX")
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -d "$work/prefix" ]; then WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; fi
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# ticks PID...: the processes' run time in nanoseconds.
source bench/schedstat.sh

# Starts Xvfb at 1920x1080 with a black root; sets display and xvfb_pid.
start_xvfb() {
  local file="$work/display.$1"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -br 3>"$file" >/dev/null 2>&1 &
  xvfb_pid=$!
  pids+=("$xvfb_pid")
  for _ in $(seq 1 100); do [ -s "$file" ] && break; sleep 0.1; done
  display=":$(head -n1 "$file")"
}

# The processes of the Wine prefix: every process whose environment names it.
prefix_pids() {
  local dir
  for dir in /proc/[0-9]*; do
    { tr '\0' '\n' <"$dir/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$work/prefix" && echo "${dir#/proc/}"
  done
}

# Share of one core, in percent with two decimals, of nanoseconds over seconds.
share() {
  awk -v t="$1" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / 1e9 / s }'
}

measure() {
  local label=$1 xvfb=$2
  shift 2
  local saver_pids=("$@")
  local s0 x0 s1 x1
  s0=$(ticks "${saver_pids[@]}"); x0=$(ticks "$xvfb")
  sleep "$seconds"
  s1=$(ticks "${saver_pids[@]}"); x1=$(ticks "$xvfb")
  printf "%-34s %8s %% %8s %% %8s %%\n" "$label" "$(share $((s1 - s0)))" "$(share $((x1 - x0)))" \
    "$(share $((s1 - s0 + x1 - x0)))"
}

echo "1920x1080, Growth Rate 100, black screen, ${seconds} s after ${warmup} s of warm-up; share of one core"
printf "%-34s %10s %10s %10s\n" "" "saver" "X server" "together"

# 1. verdane -root, with the settings given on its command line.
mkdir -p "$work/config"
for size in 0 100; do
  start_xvfb "native$size"
  DISPLAY=$display XDG_CONFIG_HOME="$work/config" "$hack" -root --growth-rate 100 --plant-size "$size" &
  hack_pid=$!
  pids+=("$hack_pid")
  sleep "$warmup"
  measure "verdane -root, Plant Size $size" "$xvfb_pid" "$hack_pid"
  kill "$hack_pid" "$xvfb_pid"
done

# 2. verdane.scr /s under Wine, with the setting in the prefix's registry.
if [ ! -f "$saver" ]; then
  echo "verdane.scr /s (Wine): $saver is not built"
  exit 0
fi
start_xvfb wine
export DISPLAY=$display WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Tarnwell\verdane\Config' /v "Star Number" /t REG_DWORD /d 100 /f >/dev/null 2>&1
for size in 0 100; do
  wine reg add 'HKCU\Software\Tarnwell\verdane\Config' /v "Star Speed" /t REG_DWORD /d "$size" /f >/dev/null 2>&1
  wine "$saver" /s >/dev/null 2>&1 &
  pids+=($!)
  sleep "$warmup"
  mapfile -t wine_pids < <(prefix_pids)
  measure "verdane.scr /s, Plant Size $size (Wine)" "$xvfb_pid" "${wine_pids[@]}"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
