#!/usr/bin/env bash
# Builds and runs the stretching memo benchmark (time per page for texts of
# 1 KB to 4 MB) on the PDF test queue of the private print server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_memo_pages > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_memo_pages"
