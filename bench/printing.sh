#!/usr/bin/env bash
# Builds and runs the printing benchmark on the PDF queue of the private
# print server: OK in the print dialog to the job accepted for the results
# sheet (median), then pages per second and peak memory of long reports,
# one process per line so that each peak is its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_printing > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_printing" sheet 15
for pages in 100 1000 3000; do
  "$build/bench/bench_printing" long "$pages"
done
