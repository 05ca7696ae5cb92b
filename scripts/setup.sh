#!/usr/bin/env bash
# Installs the Debian packages that are missing, generates the locales the
# tests use, and builds into build/.
#   scripts/setup.sh             builds everything (program, tests, benchmarks)
#   scripts/setup.sh --program   builds only the program
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

targets=()
case "${1:-}" in
  --program) targets=(--target valdora) ;;
  "") ;;
  *) echo "usage: $0 [--program]" >&2; exit 2 ;;
esac

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
while read -r pkg; do
  [ -n "$pkg" ] || continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done < "$root/scripts/packages.txt"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing the missing packages: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  echo "Generating the es_ES.UTF-8 locale"
  as_root localedef -i es_ES -f UTF-8 es_ES.UTF-8
fi

if [ ${#targets[@]} -gt 0 ]; then
  echo "Building VALDORA into $root/build"
else
  echo "Building VALDORA, its tests and benchmarks into $root/build"
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"
