#!/usr/bin/env bash
# Runs every libFuzzer harness of a sanitizer build for a bounded time, two
# at a time, each from a copy of its seed corpus (tests/fuzz/corpus/NAME).
# Prints the time and executions of each; a crash, a leak, a sanitizer
# report or a hang fails the run, and the reproducing input is printed in
# the log (base64 and hex) besides being kept under the build folder.
#
#   scripts/fuzz.sh BUILD_DIR [SECONDS]      (SECONDS defaults to 25)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: scripts/fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-25}
targets=(fuzz_startup fuzz_profile_text fuzz_render_options fuzz_png_raw fuzz_png_structured fuzz_surface fuzz_probe_summary fuzz_narrow_line)
work="$build/fuzz-run"
rm -rf "$work"
mkdir -p "$work"

run_one() {
  local name=$1 dir="$work/$1"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  cp tests/fuzz/corpus/"$name"/* "$dir/corpus/"
  # -timeout: one input taking longer counts as a hang.
  "$build/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir/log" 2>&1 || {
    touch "$dir/failed"
    return 1
  }
}
export -f run_one
export build work seconds

status=0
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one {}' || status=$?

printf '%-22s %8s %12s %10s\n' target seconds executions exec/s
for name in "${targets[@]}"; do
  log="$work/$name/log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  printf '%-22s %8s %12s %10s\n' "$name" "$seconds" "${runs:-?}" "${speed:-?}"
  if [ -e "$work/$name/failed" ] && ! ls "$work/$name"/artifacts/* >/dev/null 2>&1; then
    status=1
    echo "== $name failed without a reproducing input; its log ends:"
    tail -n 60 "$log"
  fi
  for artifact in "$work/$name"/artifacts/*; do
    [ -e "$artifact" ] || continue
    status=1
    echo "== $name failed; its log ends:"
    tail -n 60 "$log"
    echo "== reproducing input $artifact (base64, then hex):"
    base64 "$artifact"
    od -A x -t x1z -v "$artifact" | head -n 64
  done
done
if [ "$status" -ne 0 ]; then
  echo "fuzzing failed"
  exit 1
fi
