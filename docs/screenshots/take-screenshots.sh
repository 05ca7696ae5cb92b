#!/bin/bash
# Takes the README's screenshots of the four screens and the print preview: starts the built
# program on a virtual screen with a window manager, goes through it as a user
# would (marks, values, a calculation, a note, the definitions) and captures
# each window with its frame.
#
#   docs/screenshots/take-screenshots.sh [build-dir]     (default: build)
#
# Needs xdotool and ImageMagick's import (both in scripts/packages.txt).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
out=$root/docs/screenshots
program=$build/app/valdora
[ -x "$program" ] || { echo "no $program: build first" >&2; exit 1; }

# shellcheck source=scripts/test-services.sh disable=SC1091
source "$root/scripts/test-services.sh"
start_test_services > /dev/null
# The windows as a first run shows them, whatever the user's own settings keep.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
pid=
finish() {
  if [ -n "$pid" ]; then
    kill "$pid" 2> /dev/null || true
  fi
  stop_test_services
  rm -rf "$XDG_CONFIG_HOME"
}
trap finish EXIT

# The window titled exactly so, once it is shown.
window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | tail -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window \"$1\" did not appear" >&2
  return 1
}

# Clicks at a point of a window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}

# Replaces the text of the field under the point.
retype() {
  click "$1" "$2" "$3"
  xdotool key ctrl+a
  xdotool type --delay 30 "$4"
  sleep 0.2
}

shoot() {
  xdotool mousemove 0 0
  sleep 0.7
  import -frame -window "$1" miff:- | convert - -strip "$out/$2.png"
}

# Marks two elements, types values, calculates and types a note; leaves the
# results screen's id in $results. $1 is the locale's decimal separator.
calculate() {
  main=$(window VALDORA)
  click "$main" 100 384 # EFECTO DE DISEÑO
  click "$main" 100 416 # TAMAÑO DE LA POBLACIÓN
  [ "$1" = . ] && shoot "$main" main
  click "$main" 282 463 # CONTINUAR

  selection=$(window 'Selección de Variables')
  retype "$selection" 250 55 95      # confidence level
  retype "$selection" 440 66 5000    # population size
  retype "$selection" 130 354 "0${1}05"   # RHO
  [ "$1" = . ] && shoot "$selection" selection
  click "$selection" 640 312 # CALCULAR

  results=$(window Resultados)
  click "$results" 430 200
  xdotool type --delay 20 "Encuesta de hogares, zona norte. Visitas en marzo."
  [ "$1" = . ] && shoot "$results" results
  return 0
}

LC_ALL=C.UTF-8 LANG=C.UTF-8 "$program" &
pid=$!
calculate .
click "$results" 100 376 # print

preview=$(window 'Print Preview')
sleep 0.5
shoot "$preview" preview-whole-page
click "$preview" 98 13 # 100 %
shoot "$preview" preview-100
click "$preview" 13 13 # print
dialog=$(window Print)
shoot "$dialog" print-dialog
xdotool key Escape
sleep 0.3
click "$preview" 410 13 # Close
sleep 0.3

click "$results" 496 371 # Definiciones

definitions=$(window Definiciones)
shoot "$definitions" definitions
kill "$pid"
wait "$pid" 2> /dev/null || true

# In a Spanish locale the report windows speak Spanish.
LC_ALL=es_ES.UTF-8 LANG=es_ES.UTF-8 "$program" &
pid=$!
calculate ,
click "$results" 100 376 # print
preview=$(window 'Vista preliminar')
sleep 0.5
shoot "$preview" preview-es
click "$preview" 13 13 # print
dialog=$(window Imprimir)
shoot "$dialog" print-dialog-es
xdotool key Escape
sleep 0.3
click "$preview" 410 13 # Cerrar
sleep 0.3

# The scenarios window, with a cost per interview typed.
xdotool key alt+e
scenarios=$(window Escenarios)
xdotool key alt+c
xdotool type --delay 30 "12,5"
shoot "$scenarios" scenarios
echo "screenshots in $out"
