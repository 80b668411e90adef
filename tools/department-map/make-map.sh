#!/usr/bin/env bash
# Makes assets/carte_departements.png again from the Natural Earth data.
# Needs node and npm, rsvg-convert (librsvg2-bin) and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$here"
npm install --no-audit --no-fund --silent
node make-map.mjs "$work/carte.svg"
rsvg-convert -w 475 -h 510 -b white "$work/carte.svg" -o "$work/carte.png"
convert "$work/carte.png" -colorspace Gray -depth 8 -strip "$root/assets/carte_departements.png"
echo "written $root/assets/carte_departements.png"
