#!/bin/bash
# Composes the six board pictures (8 x 8 squares, light square top left) from square textures.
# Usage: make_boards.sh <convert> <texture folder> <square size> <output folder>
set -euo pipefail

CONVERT=$1
TEXTURES=$2
SIZE=$3
OUT=$4

mkdir -p "$OUT"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

BOARD=$((8 * SIZE))
PAIR=$((2 * SIZE))

# Light squares where the mask is white.
"$CONVERT" -size 2x2 xc:black -fill white -draw 'point 0,0' -draw 'point 1,1' \
    -sample "${PAIR}x${PAIR}" "$WORK/pair.png"
"$CONVERT" -size "${BOARD}x${BOARD}" tile:"$WORK/pair.png" "$WORK/mask.png"

# Tiles a texture over the whole board; the four mirrored copies in each 2 x 2 block hide the
# seams and the repetition of one small picture.
texture_board() {
    local texture=$1 result=$2
    [[ -r $texture ]] || { echo "make_boards: texture $texture not found (is scid-data installed?)" >&2; exit 1; }
    "$CONVERT" "$texture" -resize "${SIZE}x${SIZE}!" "$WORK/t.png"
    "$CONVERT" \( "$WORK/t.png" \( "$WORK/t.png" -flop \) +append \) \
        \( \( "$WORK/t.png" -flip \) \( "$WORK/t.png" -rotate 180 \) +append \) -append \
        "$WORK/block.png"
    "$CONVERT" -size "${BOARD}x${BOARD}" tile:"$WORK/block.png" "$result"
}

# Light texture where the mask is white, dark elsewhere.
compose() {
    local light=$1 dark=$2 result=$3
    "$CONVERT" "$dark" "$light" "$WORK/mask.png" -composite -quality 92 "$result"
}

wood() {
    local set=$1 result=$2
    texture_board "$TEXTURES/$set-l.gif" "$WORK/light.png"
    texture_board "$TEXTURES/$set-d.gif" "$WORK/dark.png"
    compose "$WORK/light.png" "$WORK/dark.png" "$result"
}

# The classic board: two plain colours.
"$CONVERT" -size "${BOARD}x${BOARD}" xc:'#b07d4f' "$WORK/dark.png"
"$CONVERT" -size "${BOARD}x${BOARD}" xc:'#efdab0' "$WORK/light.png"
"$CONVERT" "$WORK/dark.png" "$WORK/light.png" "$WORK/mask.png" -composite \
    -colors 4 "$OUT/BOARD.GIF"

wood F8GreenMarble "$OUT/MARBLE.JPG"
wood LightWood1 "$OUT/WOOD1.JPG"
wood DarkWood "$OUT/WOOD2.JPG"
wood MapleWalnut "$OUT/WOOD3.JPG"

# Metal: the stone textures without colour, brushed along the rows, cool grey and steel blue.
texture_board "$TEXTURES/Stone-l.gif" "$WORK/stone-l.png"
texture_board "$TEXTURES/Stone-d.gif" "$WORK/stone-d.png"
"$CONVERT" "$WORK/stone-l.png" -colorspace Gray -motion-blur 0x14+0 -level 10%,90% \
    +level-colors '#8a9099','#eef1f5' "$WORK/light.png"
"$CONVERT" "$WORK/stone-d.png" -colorspace Gray -motion-blur 0x14+0 -level 10%,90% \
    +level-colors '#2f3b4a','#7d8da0' "$WORK/dark.png"
compose "$WORK/light.png" "$WORK/dark.png" "$OUT/METAL.JPG"
