#!/bin/sh
# Makes the desktop icons from the program's logo: square, centred, on a
# transparent ground, as the window icon. The PNGs are committed; run this
# again only after the logo changes.
set -euf
cd "$(dirname "$0")"
for side in 48 128; do
  convert ../assets/logo.jpg -resize "${side}x${side}" -background none -gravity center \
    -extent "${side}x${side}" -strip "png:valdora-$side.png"
done
