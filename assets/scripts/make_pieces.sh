#!/bin/bash
# Slices a piece sprite sheet (12 squares in a row: white P N B R Q K, then black P N B R Q K)
# into the piece image set: plain, highlighted (S) and mated-king (M) GIFs.
# Usage: make_pieces.sh <convert> <sheet.png> <square size> <output folder>
set -euo pipefail

CONVERT=$1
SHEET=$2
SIZE=$3
OUT=$4

[[ -r $SHEET ]] || { echo "make_pieces: piece sheet $SHEET not found (is scid-data installed?)" >&2; exit 1; }
mkdir -p "$OUT"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# GIF has 1-bit transparency: keep a pixel when it is at least half covered. The outlines of
# the pieces are dark, so the hard edge stays clean on light and dark squares alike.
to_gif() {
    "$CONVERT" "$1" -channel A -threshold 50% +channel "$2"
}

# Highlight: a gold frame with dark rims, visible on every board picture; inside it the
# square stays see-through.
last=$((SIZE - 1))
rim=$((SIZE / 16))
inner=$((last - rim))
band=$(awk -v s="$SIZE" 'BEGIN { printf "%d", s / 20 }')
mid=$(awk -v r="$rim" 'BEGIN { printf "%.1f", r / 2 }')
midFar=$(awk -v l="$last" -v r="$rim" 'BEGIN { printf "%.1f", l - r / 2 }')
"$CONVERT" -size "${SIZE}x${SIZE}" xc:none +antialias -fill none \
    -stroke '#4a3000' -strokewidth 1 \
    -draw "rectangle 0,0 $last,$last" -draw "rectangle $rim,$rim $inner,$inner" \
    -stroke '#ffc61a' -strokewidth "$band" -draw "rectangle $mid,$mid $midFar,$midFar" \
    "$WORK/frame.png"

"$CONVERT" -size "${SIZE}x${SIZE}" xc:none "$WORK/OO.png"

names=(WP WN WB WR WQ WK BP BN BB BR BQ BK)
for i in "${!names[@]}"; do
    "$CONVERT" "$SHEET" -crop "${SIZE}x${SIZE}+$((i * SIZE))+0" +repage \
        -background none -extent "${SIZE}x${SIZE}" "$WORK/raw_${names[$i]}.png"
done
# The sheet draws the black pieces' inner lines white, and the king's lower half is mostly such
# lines: at a glance it reads as a white piece. The lines stay, in a dark grey.
for name in "${names[@]}"; do
    case $name in
    B*) "$CONVERT" "$WORK/raw_$name.png" +level-colors 'black','#505050' "$WORK/$name.png" ;;
    *) cp "$WORK/raw_$name.png" "$WORK/$name.png" ;;
    esac
done

for name in OO "${names[@]}"; do
    to_gif "$WORK/$name.png" "$OUT/$name.GIF"
    "$CONVERT" "$WORK/frame.png" "$WORK/$name.png" -composite "$WORK/${name}S.png"
    to_gif "$WORK/${name}S.png" "$OUT/${name}S.GIF"
done

# A mated king lies on its side, tinted red.
"$CONVERT" "$WORK/WK.png" +level-colors '#3a0000','#ff7a6e' -rotate 90 "$WORK/WKM.png"
"$CONVERT" "$WORK/raw_BK.png" +level-colors '#b01818','#ffd0c8' -rotate 90 "$WORK/BKM.png"
to_gif "$WORK/WKM.png" "$OUT/WKM.GIF"
to_gif "$WORK/BKM.png" "$OUT/BKM.GIF"
