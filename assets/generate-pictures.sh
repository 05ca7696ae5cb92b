#!/bin/sh
# shellcheck disable=SC2046  # draw arguments come one a line and are split on purpose
# Draws the program's pictures with ImageMagick's convert and writes them as
# JPEG files next to this script. The JPEGs are committed, so building the
# program needs none of this; run it again only to change a picture.
#
# Output is deterministic: fixed fonts, fixed noise seeds, no metadata.
set -euf
export LC_ALL=C
cd "$(dirname "$0")"

SANS=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
SANS_BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
SERIF=/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf
SERIF_ITALIC=/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf
for font in "$SANS" "$SANS_BOLD" "$SERIF" "$SERIF_ITALIC"; do
  [ -r "$font" ] || { echo "missing font $font (fonts-dejavu-core, fonts-liberation)" >&2; exit 1; }
done

TEAL='#408080'
DARK_TEAL='#1f4040'
LIGHT_TEAL='#b9dada'
RED='#d01818'

# The printed pictures are also drawn at S times their size, so that paper
# and high-density screens get real detail; S stays 1 for all the others.
S=1

# sc TEXT...: the text with every number in it multiplied by S.
sc() {
  printf '%s\n' "$*" | awk -v s="$S" '{
    out = ""
    while (match($0, /[0-9]+(\.[0-9]+)?/)) {
      out = out substr($0, 1, RSTART - 1) substr($0, RSTART, RLENGTH) * s
      $0 = substr($0, RSTART + RLENGTH)
    }
    print out $0
  }'
}

# save NAME WIDTH HEIGHT: reads a picture from stdin, checks its size and
# writes NAME.jpg at full chroma resolution so that thin lines stay crisp.
save() {
  convert - -background white -alpha remove -alpha off -strip \
    -sampling-factor 1x1 -quality 95 "jpeg:$1.jpg"
  size=$(identify -format '%wx%h' "$1.jpg")
  [ "$size" = "$2x$3" ] || { echo "$1.jpg is $size, wanted $2x$3" >&2; exit 1; }
}

# bell X0 X1 CENTRE SIGMA BASELINE HEIGHT: the points of a normal curve.
bell() {
  awk -v x0="$1" -v x1="$2" -v c="$3" -v s="$4" -v base="$5" -v h="$6" 'BEGIN {
    for (x = x0; x <= x1 + 0.001; x += 2)
      printf "%.1f,%.1f ", x, base - h * exp(-((x - c) / s) ^ 2 / 2)
  }'
}

# emblem CENTRE SIGMA BASELINE HEIGHT HALFWIDTH: draw arguments for the logo's
# emblem: a bell curve with its central 95 % shaded and a sample on the axis.
emblem() {
  c=$1 s=$2 base=$3 h=$4 half=$5
  left=$(awk -v c="$c" -v s="$s" 'BEGIN { printf "%.0f", c - 1.96 * s }')
  right=$(awk -v c="$c" -v s="$s" 'BEGIN { printf "%.0f", c + 1.96 * s }')
  whole=$(bell $((c - half)) $((c + half)) "$c" "$s" "$base" "$h")
  middle=$(bell "$left" "$right" "$c" "$s" "$base" "$h")
  printf '%s\n' \
    -stroke none -fill "$LIGHT_TEAL" -draw "polygon $((c - half)),$base $whole $((c + half)),$base" \
    -fill "$TEAL" -draw "polygon $left,$base $middle $right,$base" \
    -fill none -stroke "$DARK_TEAL" -strokewidth $((3 * S)) -draw "polyline $whole" \
    -strokewidth $((2 * S)) -draw "line $((c - half - 8 * S)),$base $((c + half + 8 * S)),$base"
}

# --- logo: 398 x 236 (the main screen shows the left 393 columns) ----------
# logo NAME SCALE
logo() {
  name=$1 S=$2
  set -- $(sc 196 50 140 112 172)
  draw=$(emblem "$@")
  IFS='
'
  set -- $draw
  unset IFS
  convert -size "$(sc 398x236)" gradient:'#ffffff-#cfe6e6' "$@" \
    -stroke white -strokewidth "$S" -draw "$(sc line 98,140 98,60)" -draw "$(sc line 294,140 294,60)" \
    -stroke none -fill "$RED" \
    -draw "$(sc circle 126,140 126,144)" -draw "$(sc circle 151,140 151,144)" \
    -draw "$(sc circle 170,140 170,144)" -draw "$(sc circle 189,140 189,144)" \
    -draw "$(sc circle 203,140 203,144)" -draw "$(sc circle 221,140 221,144)" \
    -draw "$(sc circle 244,140 244,144)" -draw "$(sc circle 266,140 266,144)" \
    -font "$SANS_BOLD" -pointsize "$(sc 50)" -fill "$TEAL" -stroke "$DARK_TEAL" -strokewidth "$(sc 1.5)" \
    -gravity north -annotate "$(sc -3+150)" 'VALDORA' \
    -font "$SANS" -pointsize "$(sc 13)" -fill "$DARK_TEAL" -stroke none \
    -annotate "$(sc -3+208)" 'MUESTREO ALEATORIO SIMPLE' \
    -gravity northwest -fill none -stroke "$TEAL" -strokewidth "$(sc 2)" \
    -draw "$(sc roundrectangle 2,2 390,233 14,14)" \
    miff:- | save "$name" "$(sc 398)" "$(sc 236)"
  S=1
}

# --- background: light-grey stucco with the logo embossed lower right -------
background() {
  IFS='
'
  set -- $(emblem 702 20 490 58 66)
  unset IFS
  # The emblem becomes a white relief mask; shading it at 30 degrees leaves
  # flat parts at mid grey, which the overlay leaves unchanged.
  convert -size 795x541 xc:gray50 -seed 1931 +noise Random -colorspace gray \
    -blur 0x1.6 -shade 120x40 -auto-level +level 76%,94% \
    \( -size 795x541 xc:black "$@" -colorspace gray -threshold 1% \
       -font "$SANS_BOLD" -pointsize 30 -fill white -stroke white -strokewidth 1 \
       -annotate +634+527 'VALDORA' \
       -blur 0x1.2 -shade 135x30 +level 18%,82% \) \
    -compose overlay -composite miff:- | save background 795 541
}

# --- word mark: 332 x 68 (shown in a 337 x 65 box) --------------------------
wordmark() {
  IFS='
'
  set -- $(emblem 38 10 52 36 30)
  unset IFS
  convert -size 332x68 gradient:'#ffffff-#dcecec' "$@" \
    -font "$SANS_BOLD" -pointsize 42 \
    -fill '#9ab0b0' -stroke none -annotate +86+51 'VALDORA' \
    -fill "$TEAL" -stroke "$DARK_TEAL" -strokewidth 1.2 -annotate +84+49 'VALDORA' \
    miff:- | save wordmark 332 68
}

# --- glyphs on white: the program treats their white as transparent --------
# check NAME SCALE
check() {
  S=$2
  convert -size "$(sc 48x35)" xc:white -fill none -stroke "$RED" -strokewidth "$(sc 7)" \
    -draw "stroke-linecap round stroke-linejoin round $(sc polyline 8,19 19,28 41,7)" \
    miff:- | save "$1" "$(sc 48)" "$(sc 35)"
  S=1
}

door() {
  convert -size 31x25 xc:white \
    -fill '#3a3a3a' -stroke '#6b4a2a' -strokewidth 1.5 -draw "rectangle 15,1 28,23" \
    -fill "$RED" -stroke '#7a0c0c' -strokewidth 1 -draw "polygon 15,1 9,4 9,23 15,23" \
    -fill '#ffd800' -stroke none -draw "circle 11,13 11.8,13.8" \
    -fill '#1c9a1c' -stroke '#0c4a0c' -strokewidth 0.8 \
    -draw "polygon 1,11 17,11 17,7 24,13 17,19 17,15 1,15" \
    miff:- | save door 31 25
}

book() {
  convert -size 21x22 xc:white \
    -fill '#f4f4f4' -stroke '#606060' -strokewidth 1 -draw "rectangle 5,17 18,20" \
    -fill '#6a2c91' -stroke '#3c1456' -draw "rectangle 3,1 18,17" \
    -fill '#4b1d68' -stroke none -draw "rectangle 3,1 5,20" \
    -font "$SANS_BOLD" -pointsize 14 -fill '#ffd800' -stroke '#ffd800' -strokewidth 0.4 \
    -gravity northwest -annotate +7+1 '?' \
    miff:- | save book 21 22
}

calculator() {
  convert -size 30x28 xc:white \
    -fill '#4e5a66' -stroke '#2a323a' -strokewidth 1 -draw "roundrectangle 5,1 24,26 3,3" \
    -fill '#b8e0b0' -stroke '#24302a' -draw "rectangle 8,4 21,9" \
    -stroke none -fill '#e8e8e8' \
    -draw "rectangle 8,12 10,14" -draw "rectangle 12,12 14,14" -draw "rectangle 16,12 18,14" \
    -draw "rectangle 8,16 10,18" -draw "rectangle 12,16 14,18" -draw "rectangle 16,16 18,18" \
    -draw "rectangle 8,20 10,22" -draw "rectangle 12,20 14,22" -draw "rectangle 16,20 18,22" \
    -fill '#f08a1c' -draw "rectangle 20,12 21,18" -fill "$RED" -draw "rectangle 20,20 21,22" \
    miff:- | save calculator 30 28
}

back_arrow() {
  # the bend is three thin arcs: a thick stroked arc would be closed by its chord
  convert -size 27x22 xc:white \
    -fill none -stroke '#1c9a1c' -strokewidth 3 -draw "line 6,4 16,4" -draw "line 16,15 10,15" \
    -strokewidth 1 -draw "ellipse 16,9.5 4.5,4.5 270,90" -draw "ellipse 16,9.5 5.5,5.5 270,90" \
    -draw "ellipse 16,9.5 6.5,6.5 270,90" \
    -fill '#1c9a1c' -stroke '#0c5a0c' -strokewidth 0.8 -draw "polygon 1.5,15 10.5,9.5 10.5,20.5" \
    miff:- | save back_arrow 27 22
}

# The two arrow glyphs are drawn without smoothing: at 9 x 5 it would blur.
arrow_up() {
  convert -size 9x5 xc:white +antialias -fill black -stroke none \
    -draw "polygon 4,0 8,4 0,4" miff:- | save arrow_up 9 5
}

arrow_down() {
  convert -size 9x5 xc:white +antialias -fill black -stroke none \
    -draw "polygon 0,0 8,0 4,4" miff:- | save arrow_down 9 5
}

printer() {
  convert -size 29x22 xc:white \
    -fill white -stroke '#505050' -strokewidth 1 -draw "rectangle 7,1 21,9" \
    -fill '#8f8f8f' -stroke '#3c3c3c' -draw "roundrectangle 1,7 27,17 2,2" \
    -fill '#b8b8b8' -stroke none -draw "rectangle 3,8 25,9" \
    -fill '#30c030' -draw "rectangle 23,11 24,12" \
    -fill white -stroke '#505050' -draw "rectangle 6,14 22,21" \
    -stroke '#8a8a8a' -draw "line 9,17 19,17" -draw "line 9,19 17,19" \
    miff:- | save printer 29 22
}

# --- formulas: drawn in the top-left corner that their panels show ----------
# text FONT SIZE TEXT: one piece of a formula as a tight picture.
text() {
  printf '%s\n' \( -background white -fill black -stroke none -font "$1" -pointsize "$2" "label:$3" \)
}

formula_confidence() {
  IFS='
'
  # p with a circumflex drawn over it (the fonts have no combining circumflex)
  set -- $(text "$SERIF" 17 'P( |') \
    \( $(text "$SERIF_ITALIC" 17 'p') -fill none -stroke black -strokewidth 1 \
       -draw "polyline 2,5 5,2 8,5" \) \
    $(text "$SERIF" 17 ' − ') $(text "$SERIF_ITALIC" 17 'p') $(text "$SERIF" 17 '| ≤ ') \
    $(text "$SERIF_ITALIC" 17 'd') $(text "$SERIF" 17 ') > 1 − ') $(text "$SERIF_ITALIC" 17 'α')
  unset IFS
  convert -respect-parentheses -background white -gravity north "$@" +append +repage \
    -gravity center -extent 161x33 -gravity northwest -extent 192x52 \
    miff:- | save formula_confidence 192 52
}

formula_deff_ratio() {
  IFS='
'
  set -- $(text "$SERIF" 16 'DEFF = ') \
    \( \( $(text "$SERIF" 16 'V(p)') $(text "$SERIF" 11 'd') -gravity south +append +repage \) \
       \( -size 48x1 xc:black \) \
       \( $(text "$SERIF" 16 'V(p)') $(text "$SERIF" 11 'MAS') -gravity south +append +repage \) \
       -gravity center -append +repage \)
  unset IFS
  convert -respect-parentheses -background white "$@" -gravity center +append +repage \
    -extent 128x46 -gravity northwest -extent 134x50 \
    miff:- | save formula_deff_ratio 134 50
}

formula_deff_rho() {
  IFS='
'
  # v with a bar over it (the fonts have no combining macron)
  set -- $(text "$SERIF" 13 'DEFF = 1 + Rho (') \
    \( $(text "$SERIF_ITALIC" 13 'v') -fill none -stroke black -strokewidth 1 \
       -draw "line 1,3 6,3" \) \
    $(text "$SERIF" 13 ' − 1)')
  unset IFS
  convert -respect-parentheses -background white -gravity north "$@" +append +repage \
    -gravity center -extent 128x44 -gravity northwest -extent 128x45 \
    miff:- | save formula_deff_rho 128 45
}

# The sheet prints the logo up to 94 mm wide and the check mark at half an
# inch: three and four times their pixels make about 300 dots per inch there.
logo logo 1
logo logo@3x 3
background
wordmark
check check 1
check check@4x 4
door
book
calculator
back_arrow
arrow_up
arrow_down
printer
formula_confidence
formula_deff_ratio
formula_deff_rho
