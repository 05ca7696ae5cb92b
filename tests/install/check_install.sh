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

# Errors, warnings and hints (such as two main categories) all fail: the
# validator says nothing about an entry that is right.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

value() { sed -n "s/^$1=//p" "$entry"; }
[ "$(value Exec)" = "valdora" ] || fail "Exec is not the installed program's name"
[ "$(value Icon)" = "valdora" ] || fail "Icon is not the installed icon's name"
[ "$(value Categories)" = "Science;Math;" ] || fail "categories: $(value Categories)"
# English for every other language, Spanish beside it.
for key in Name GenericName Comment Keywords; do
  [ -n "$(value "$key")" ] || fail "no $key"
  [ -n "$(value "$key\\[es\\]")" ] || fail "no $key[es]"
done
value Comment | grep -q 'sample size' || fail "the comment is not English: $(value Comment)"
value 'Comment\[es\]' | grep -q 'tamaño de muestra' || fail "the Spanish comment: $(value 'Comment\[es\]')"
echo "installed and valid under $prefix"
