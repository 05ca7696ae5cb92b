#!/usr/bin/env bash
# Makes the Debian package from a build and checks it as Debian and a user
# would: lintian, the files it holds, its dependencies resolving with apt,
# its metadata, and the packaged program starting from an unpacked copy on
# the virtual screen ($DISPLAY).
#   check_package.sh <build-dir> <expected-file-list>
set -euo pipefail
build=$(cd "$1" && pwd)
expected=$2
work=$(mktemp -d /tmp/valdora-package.XXXXXX)
pid=
finish() {
  if [ -n "$pid" ]; then kill "$pid" 2> /dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
(cd "$work" && cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" > cpack.log 2>&1) \
  || fail "cpack: $(cat "$work/cpack.log")"
deb="$work/valdora_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work")"

# Exactly the files a user gets, nothing of the tests or benchmarks.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort > "$work/files"
diff -u "$expected" "$work/files" || fail "the package's files differ from $expected"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = valdora ] || fail "package name $(field Package)"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
# Computed from the binary: the toolkit's and the spooler's libraries.
for library in libqt6widgets6 libqt6printsupport6 libcups2 libc6; do
  grep -q "\b$library\b" <<< "$(field Depends)" || fail "Depends lacks $library: $(field Depends)"
done

# Errors and warnings fail; the package's overrides say why any is accepted.
lintian --fail-on error,warning --no-tag-display-limit "$deb" > "$work/lintian" 2>&1 \
  || fail "lintian: $(cat "$work/lintian")"

# The machine's package lists must hold every dependency.
apt-get install --simulate -qq "$deb" > "$work/apt" 2>&1 || fail "apt-get: $(cat "$work/apt")"
grep -q '^Inst valdora ' "$work/apt" || fail "apt-get would not install valdora: $(cat "$work/apt")"

unpacked="$work/root"
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml > "$work/appstream" 2>&1 \
  || fail "appstreamcli: $(cat "$work/appstream")"
desktop-file-validate "$unpacked/usr/share/applications/valdora.desktop" > /dev/null || fail "desktop entry"
man --warnings -l "$unpacked/usr/share/man/man1/valdora.1.gz" > /dev/null 2> "$work/man"
[ ! -s "$work/man" ] || fail "manual page: $(cat "$work/man")"

# The packaged program opens its main window.
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY to start the program on"
"$unpacked/usr/bin/valdora" > "$work/program.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  if xdotool search --onlyvisible --pid "$pid" --name '^VALDORA$' > /dev/null 2>&1; then
    echo "package $(basename "$deb") built and checked"
    exit 0
  fi
  kill -0 "$pid" 2> /dev/null || fail "the packaged program ended: $(cat "$work/program.log")"
  sleep 0.1
done
fail "the packaged program showed no main window: $(cat "$work/program.log")"
