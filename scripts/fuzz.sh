#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer on, into their own folder, and runs each for a
# fixed time on a working copy of its seed corpus (tests/fuzz/corpus/).
#   scripts/fuzz.sh [seconds per target] [target...]   (default 20 s, all)
# A target that finds a fault stops and leaves the input in
# <build>/findings/<target>/; the script then fails. Once the fault is mended,
# keep the input in tests/fuzz/regressions/<target>/, which ctest replays.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(number_reader general_format definition_reader text_wrapper page_list csv_table)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
missing=()
while read -r pkg; do
  [ -n "$pkg" ] || continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done < "$root/tests/fuzz/packages.txt"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing the fuzzing packages: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The null-argument check recovers so that the one report inside Qt's
# headers can be suppressed by name; halt_on_error stops on every other.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize-recover=nonnull-attribute"
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
echo "Building the fuzz targets into $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVALDORA_FUZZ=ON -DVALDORA_BENCHMARKS=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitize -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" > /dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1:suppressions=$root/tests/sanitizers/ubsan.supp"
# Qt and the font library keep caches until the process ends, which the
# leak check at exit would report; the address checks stay on.
export ASAN_OPTIONS="detect_leaks=0"
export QT_QPA_PLATFORM=offscreen
failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp -n "$root/tests/fuzz/corpus/$target/"* "$corpus/" 2> /dev/null || true
  echo "== $target: $seconds s"
  if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" \
      > "$build/fuzz-$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$build/fuzz-$target.log"
  fi
  grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build/fuzz-$target.log" | sed "s/^/  /" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Faults found by: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
echo "No faults found."
