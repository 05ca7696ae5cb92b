#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (Debug, every undefined-behaviour report fatal)
# into their own folder, without the benchmarks, and runs the whole suite
# there on the test services.
#   scripts/sanitize.sh [ctest arguments...]   (SANITIZE_BUILD_DIR overrides the folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SANITIZE_BUILD_DIR:-$root/build-sanitize}

# Reports are fatal. The one exception: the null-argument check recovers, so
# that a report inside Qt's headers can be suppressed by name (a fatal check
# ignores suppressions); halt_on_error below makes every other one fatal.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize-recover=nonnull-attribute"
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "Building with sanitizers into $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVALDORA_BENCHMARKS=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" > /dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS="abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1:suppressions=$root/tests/sanitizers/ubsan.supp"

source "$root/scripts/test-services.sh"
start_test_services
trap stop_test_services EXIT
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 900 "$@"
