#!/usr/bin/env bash
# Builds and runs the print preview benchmark under the virtual screen of the
# test services, in a build directory of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_preview > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_preview"
