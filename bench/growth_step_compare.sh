#!/usr/bin/env bash
# growth_step_bench of several builds side by side (say a copy of main's
# beside the working tree's): each round runs every build in turn, so that
# their figures come from the same run, and each line of the output names
# the build it came from.
#
# Usage: bench/growth_step_compare.sh [-r ROUNDS] [-n STEPS] BENCH...
#   BENCH: a growth_step_bench program, e.g. build/native/bench/growth_step_bench
set -euo pipefail

rounds=2
steps=1000
while getopts "r:n:" option; do
  case $option in
    r) rounds=$OPTARG ;;
    n) steps=$OPTARG ;;
    *) echo "usage: $0 [-r ROUNDS] [-n STEPS] BENCH..." >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-r ROUNDS] [-n STEPS] BENCH..." >&2; exit 2; }
for bench in "$@"; do
  [ -x "$bench" ] || { echo "$bench is not built" >&2; exit 1; }
done

header_printed=
for ((round = 1; round <= rounds; round++)); do
  for bench in "$@"; do
    while IFS= read -r line; do
      if [[ $line == surface* ]]; then
        [ -n "$header_printed" ] || printf '%-6s %s\n' round "$line  build"
        header_printed=1
      else
        printf '%-6s %s  %s\n' "$round" "$line" "$bench"
      fi
    done < <("$bench" "$steps")
  done
done | { IFS= read -r header; echo "$header"; sort -s -k2,2 -k3,3n; }
