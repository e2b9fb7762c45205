#!/usr/bin/env bash
# Asks Stockfish for a mate within the stated moves ("go mate N") on a sample of every mate
# series of a program folder, evenly spread over each file, and prints the counts.
# Usage: bench/check_puzzles.sh [program folder] [sample size]
set -euo pipefail
folder=${1:-build/app}
sample=${2:-100}
engine=${STOCKFISH:-/usr/games/stockfish}

coproc SF { "$engine"; }
send() { printf '%s\n' "$1" >&"${SF[1]}"; }
send uci
while read -r line <&"${SF[0]}"; do [ "$line" = uciok ] && break; done

for moves in 2 3 4 5; do
    file=$folder/ENDGAMES/$moves.EPD
    total=$(wc -l <"$file")
    step=$(( total > sample ? total / sample : 1 ))
    checked=0 found=0 start=$SECONDS
    while IFS= read -r entry; do
        fen=${entry%%; *}
        send "position fen $fen"
        send "go mate $moves"
        mate=0
        while read -r line <&"${SF[0]}"; do
            case $line in
            *" score mate "*) mate=${line##* score mate }; mate=${mate%% *} ;;
            bestmove*) break ;;
            esac
        done
        checked=$((checked + 1))
        if [ "$mate" -gt 0 ] && [ "$mate" -le "$moves" ]; then
            found=$((found + 1))
        else
            echo "  no mate in $moves found: $entry"
        fi
    done < <(awk -v step="$step" -v most="$sample" 'NR % step == 1 % step && n < most { print; n++ }' "$file")
    echo "$moves.EPD: $total lines, $checked checked, $found mates found ($((SECONDS - start)) s)"
done
send quit
