#!/usr/bin/env bash
# Builds and runs the page list benchmark (texts up to the page box's longest).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" -j2 --target bench_page_list > /dev/null
"$build/bench/bench_page_list"
