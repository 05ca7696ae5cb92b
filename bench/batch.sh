#!/usr/bin/env bash
# File of strata: how long `valdora --batch` takes for 100,000 strata (target:
# under a second) and its peak memory, against a file 30 times smaller, so
# that memory growing with the rows shows. No display is needed.
#   bench/batch.sh [runs]      (BUILD_DIR overrides the build directory;
#                               VALDORA names an already built program)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${1:-5}
program=${VALDORA:-}
if [ -z "$program" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
  cmake --build "$build" -j2 --target valdora > /dev/null
  program=$build/app/valdora
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Strata that take every element in turn, as a planner's table would.
make_strata() {
  local rows=$1
  awk -v rows="$rows" 'BEGIN {
    print "stratum,error,confidence,proportion,population,deff,rho,cluster_size,response_rate,note"
    split("2 3 4.5 5", errors, " "); split("90 95 99 99.5", levels, " ")
    for (i = 0; i < rows; i++) {
      proportion = (i % 3 == 0) ? "" : 15 + i % 80
      population = (i % 2 == 0) ? "" : 1000 + i
      design = (i % 5 == 0) ? "0.05,10" : ","
      rate = (i % 4 == 0) ? "" : 50 + i % 50
      printf "Stratum %d,%s,%s,%s,%s,,%s,%s,\n", i, errors[i % 4 + 1], levels[i % 4 + 1], proportion, population, design, rate
    }
  }' > "$2"
}

make_strata 100000 "$work/large.csv"
make_strata 3333 "$work/small.csv"

# Prints "<seconds> <peak KB>" of one run.
measure() {
  /usr/bin/time -f "%e %M" -o "$work/time" "$program" --batch "$1" --output "$work/out.csv" > /dev/null
  cat "$work/time"
}

best=""
for _ in $(seq 1 "$runs"); do
  read -r seconds kb < <(measure "$work/large.csv")
  if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$seconds; fi
  large_kb=$kb
done
read -r _ small_kb < <(measure "$work/small.csv")
rows=$(($(wc -l < "$work/out.csv") - 2))
echo "batch: 100000 strata in ${best} s (best of $runs), peak ${large_kb} KB; ${rows} strata: peak ${small_kb} KB"
