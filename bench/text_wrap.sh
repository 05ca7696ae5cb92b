#!/usr/bin/env bash
# Builds and runs the text wrapping benchmark on the PDF test queue of the
# private print server, in a build directory of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_text_wrap > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_text_wrap"
