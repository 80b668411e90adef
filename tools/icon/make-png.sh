#!/usr/bin/env bash
# Draws the PNG forms of the program's icon from assets/icone/rqn-kzt.svg:
# the window icon (the program's Qt resource; Qt reads no SVG without its
# SVG module) and the fixed sizes of the menus that show no SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
for taille in 48 256; do
  rsvg-convert -w "$taille" -h "$taille" "$root/assets/icone/rqn-kzt.svg" \
    -o "$root/assets/icone/rqn-kzt-$taille.png"
done
