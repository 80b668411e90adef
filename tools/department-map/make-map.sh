#!/usr/bin/env bash
# Makes assets/carte_departements.png (475 x 510) and its double-size twin
# carte_departements@2x.png, for screens scaled 2x, again from the Natural
# Earth data: one drawing, rendered at both sizes, so that the boxes of the
# window lie on the same places of both.
# Needs node and npm, rsvg-convert (librsvg2-bin) and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$here"
npm install --no-audit --no-fund --silent
node make-map.mjs "$work/carte.svg"
for scale in 1 2; do
  name=carte_departements.png
  [ "$scale" = 1 ] || name=carte_departements@${scale}x.png
  rsvg-convert -w $((475 * scale)) -h $((510 * scale)) -b white "$work/carte.svg" -o "$work/carte.png"
  convert "$work/carte.png" -colorspace Gray -depth 8 -strip "$root/assets/$name"
  echo "written $root/assets/$name"
done
