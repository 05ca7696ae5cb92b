#!/usr/bin/env bash
# Builds and runs the print dialog opening benchmark against the private
# print server of the test services; BUILD_DIR chooses the build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_print_dialog_open > /dev/null
source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
"$build/bench/bench_print_dialog_open"
