#!/usr/bin/env bash
# Builds and runs the definition-loading benchmark against the private print
# server of the test services, in a build directory of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_definition_load > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_definition_load"
