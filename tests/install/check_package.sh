#!/usr/bin/env bash
# Makes the Debian package from a build and checks it as Debian and a user
# would: lintian, the files it holds, its dependencies resolving with apt,
# its metadata, and the packaged program starting from an unpacked copy on
# the virtual screen ($DISPLAY).
#   check_package.sh <build-dir> <expected-file-list>
set -euo pipefail
build=$(cd "$1" && pwd)
expected=$2
source_root=$(cd "$(dirname "$0")/../.." && pwd)
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
# Of the pedantic and informational tags, the hardening ones fail too: the
# program is built with the flags Debian's own packages use.
lintian --fail-on error,warning --display-info --pedantic --no-tag-display-limit "$deb" \
  > "$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
if grep -E ' hardening-' "$work/lintian"; then
  fail "lintian: the program lacks hardening: $(cat "$work/lintian")"
fi

# The machine's package lists must hold every dependency.
apt-get install --simulate -qq "$deb" > "$work/apt" 2>&1 || fail "apt-get: $(cat "$work/apt")"
grep -q '^Inst valdora ' "$work/apt" || fail "apt-get would not install valdora: $(cat "$work/apt")"

unpacked="$work/root"
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml > "$work/appstream" 2>&1 \
  || fail "appstreamcli: $(cat "$work/appstream")"
report=$(desktop-file-validate "$unpacked/usr/share/applications/valdora.desktop" 2>&1) \
  || fail "desktop entry: $report"
[ -z "$report" ] || fail "desktop entry: $report"

# Free software under the GNU GPL, version 3 or later, said the same way in
# every place that states it: the source's LICENSE holds the licence's text,
# the package's copyright file (machine-readable, DEP-5) points to Debian's
# copy of it, and the AppStream data names it for software centres.
cmp -s "$source_root/LICENSE" /usr/share/common-licenses/GPL-3 \
  || fail "LICENSE is not the text of the GNU GPL version 3"
copyright="$unpacked/usr/share/doc/valdora/copyright"
[ "$(head -n 1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] \
  || fail "the copyright file is not in the machine-readable format: $(head -n 1 "$copyright")"
grep -qx 'SPDX-License-Identifier: GPL-3.0-or-later' "$copyright" \
  || fail "the copyright file names no GPL-3.0-or-later licence"
# Each paragraph on one line (fields joined), so that a field is read in
# the paragraph it belongs to.
paragraphs=$(awk 'BEGIN { RS = ""; FS = "\n" } { line = $1; for (i = 2; i <= NF; i++) line = line " | " $i; print line }' "$copyright")
grep -q '^Files: \* | .*| License: GPL-3+\( |\|$\)' <<< "$paragraphs" \
  || fail "the copyright file's Files: * paragraph is not under GPL-3+"
grep -q '^License: GPL-3+ | .*/usr/share/common-licenses/GPL-3' <<< "$paragraphs" \
  || fail "the copyright file's GPL-3+ paragraph does not point to /usr/share/common-licenses/GPL-3"
if grep -qi 'all rights are reserved\|no licen[cs]e has been granted' "$copyright"; then
  fail "the copyright file still reserves all rights"
fi
metainfo="$unpacked/usr/share/metainfo/org.valdora.valdora.metainfo.xml"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" \
  || fail "the AppStream data names no GPL-3.0-or-later project licence"
grep -Eq '<metadata_license>(FSFAP|CC0-1.0)</metadata_license>' "$metainfo" \
  || fail "the AppStream data's own licence is not FSFAP or CC0-1.0"
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
