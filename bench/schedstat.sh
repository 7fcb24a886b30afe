# Sourced by the processor-share benchmarks.
#
# ticks PID...: nanoseconds that the threads of the processes given have
# run, from the scheduler's own account (/proc/PID/task/*/schedstat); gone
# ones count 0.
ticks() {
  local total=0 pid ns _ file
  for pid in "$@"; do
    for file in /proc/"$pid"/task/*/schedstat; do
      read -r ns _ 2>/dev/null <"$file" || continue
      total=$((total + ns))
    done
  done
  echo "$total"
}
