#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks that a
# desktop finds it there: the program, its menu entry (valid, naming the
# installed program and icon) and its icons.
#   check_install.sh <build-dir>
set -euo pipefail
build=$1
prefix=$(mktemp -d /tmp/valdora-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null

program="$prefix/bin/valdora"
entry="$prefix/share/applications/valdora.desktop"
[ -x "$program" ] || fail "no program at $program"
[ -f "$entry" ] || fail "no desktop entry at $entry"
for side in 48 128; do
  icon="$prefix/share/icons/hicolor/${side}x${side}/apps/valdora.png"
  [ -f "$icon" ] || fail "no icon at $icon"
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${side}x${side}" ] || fail "$icon is not a $side x $side PNG"
done

# Hints (such as two main categories) are advice; errors and warnings fail.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
if grep -Eq ': (error|warning):' <<< "$report"; then
  fail "desktop-file-validate: $report"
fi

value() { sed -n "s/^$1=//p" "$entry"; }
[ "$(value Exec)" = "valdora" ] || fail "Exec is not the installed program's name"
[ "$(value Icon)" = "valdora" ] || fail "Icon is not the installed icon's name"
[ "$(value Categories)" = "Education;Science;Math;" ] || fail "categories: $(value Categories)"
grep -q '^Comment=.*muestra' "$entry" || fail "no Spanish comment"
echo "installed and valid under $prefix"
