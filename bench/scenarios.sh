#!/usr/bin/env bash
# Builds and runs the scenarios window benchmark under the virtual screen of
# the test services, in a build directory of its own. The window is meant to
# open within 100 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_scenarios > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_scenarios"
