#!/usr/bin/env bash
# Start-up benchmark: how long the program takes from its start until its main
# window is on the screen and, closed there by a script as a user closes it,
# the process has ended; against a minimal Qt Widgets program built in the
# same run and timed the same way. Also the peak memory of both.
# Runs on a virtual screen with a window manager (the test services).
#   bench/startup.sh [runs]      (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${1:-15}
for tool in xdotool wmctrl; do
  command -v "$tool" > /dev/null || { echo "startup.sh needs $tool (scripts/packages.txt)" >&2; exit 1; }
done
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target valdora bench_minimal_widgets > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT

now_ns() { date +%s%N; }

# One run: start the program, wait until a visible window with the title is
# mapped, ask the window manager to close it, wait for the process to end.
# Prints the elapsed milliseconds.
time_run() {
  local program=$1 title=$2 start window pid
  start=$(now_ns)
  "$program" > /dev/null 2>&1 &
  pid=$!
  window=""
  for _ in $(seq 1 4000); do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.002
  done
  [ -n "$window" ] || { kill "$pid"; echo "no window '$title'" >&2; return 1; }
  wmctrl -i -c "$window"
  wait "$pid"
  echo $(( ($(now_ns) - start) / 1000000 ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'; }

peak_kb() {
  local program=$1 title=$2 log
  log=$(mktemp)
  ( /usr/bin/time -v "$program" > /dev/null 2> "$log" ) &
  local runner=$! window=""
  for _ in $(seq 1 4000); do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.002
  done
  wmctrl -i -c "$window"
  wait "$runner"
  awk -F': ' '/Maximum resident set size/ { print $2 }' "$log"
  rm -f "$log"
}

app="$build/app/valdora"
minimal="$build/bench/bench_minimal_widgets"
# One untimed run each, so that both start from warm file caches.
time_run "$app" VALDORA > /dev/null
time_run "$minimal" MINIMAL > /dev/null

app_times=() minimal_times=()
for _ in $(seq 1 "$runs"); do
  app_times+=("$(time_run "$app" VALDORA)")
  minimal_times+=("$(time_run "$minimal" MINIMAL)")
done
app_median=$(printf '%s\n' "${app_times[@]}" | median)
minimal_median=$(printf '%s\n' "${minimal_times[@]}" | median)
ratio=$(awk -v a="$app_median" -v m="$minimal_median" 'BEGIN { printf "%.2f", a / m }')

echo "runs: $runs"
echo "valdora start to close (ms): ${app_times[*]}"
echo "minimal start to close (ms): ${minimal_times[*]}"
echo "median valdora: $app_median ms, minimal: $minimal_median ms, ratio: $ratio (target <= 1.15)"
echo "peak memory valdora: $(peak_kb "$app" VALDORA) kB, minimal: $(peak_kb "$minimal" MINIMAL) kB"
