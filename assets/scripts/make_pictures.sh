#!/bin/bash
# Renders the program's own pictures from their vector drawings (ImageMagick MVG).
# Usage: make_pictures.sh <convert> <output file> <drawing.mvg>
# The output format follows the extension; GIF keeps only pixels at least half covered.
set -euo pipefail

CONVERT=$1
OUT=$2
DRAWING=$3

mkdir -p "$(dirname "$OUT")"
case ${OUT##*.} in
GIF | gif)
    "$CONVERT" -background none "mvg:$DRAWING" -channel A -threshold 50% +channel "$OUT" ;;
*)
    "$CONVERT" -background none "mvg:$DRAWING" -depth 8 "$OUT" ;;
esac
