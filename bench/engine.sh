#!/usr/bin/env bash
# Builds and runs the page generation benchmarks on the PDF test queue of the
# private print server (text is measured at its resolution): the results
# sheet's page after a reset, then pages per second and peak memory of a long
# report at 100, 1000 and 10000 pages with page caching off and on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_generation bench_engine_throughput > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_generation"
echo "long report (one process per line, peak is the process's):"
for memo in memo varying nomemo; do
  for cache in off on; do
    for pages in 100 1000 10000; do
      "$build/bench/bench_engine_throughput" "$pages" "$cache" "$memo"
    done
  done
done
