#!/bin/bash
# Perft speed of the rules library next to Stockfish's own perft, on the same positions.
# Usage: bench/compare_stockfish.sh <build dir>   (the perft benchmark must be built already)
set -eu

BUILD=${1:-build}
PERFT="$BUILD/bench/perft"
STOCKFISH=${STOCKFISH:-/usr/games/stockfish}
KIWIPETE="r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"

[ -x "$PERFT" ] || { echo "no $PERFT; build the perft target first" >&2; exit 1; }
[ -x "$STOCKFISH" ] || { echo "no $STOCKFISH" >&2; exit 1; }

now() { date +%s.%N; }

# stockfish_perft <position command> <depth>: prints "nodes seconds". Stockfish is started and
# brought to readyok first; the clock runs from "go perft" to its node count only, so start-up
# and network loading are not counted.
stockfish_perft() {
    coproc SF { "$STOCKFISH"; }
    printf 'uci\n%s\nisready\n' "$1" >&"${SF[1]}"
    while read -r line <&"${SF[0]}"; do
        [ "$line" = readyok ] && break
    done
    start=$(now)
    printf 'go perft %s\n' "$2" >&"${SF[1]}"
    nodes=
    while read -r line <&"${SF[0]}"; do
        case $line in "Nodes searched:"*)
            nodes=${line#*: }
            break
            ;;
        esac
    done
    end=$(now)
    printf 'quit\n' >&"${SF[1]}"
    wait "$SF_PID" 2>/dev/null || true
    echo "$nodes $(echo "$end - $start" | bc -l)"
}

compare() { # <name> <depth> <perft position argument> <stockfish position command>
    ours=$("$PERFT" "$2" "$3")
    our_nodes=$(echo "$ours" | sed -n 's/^nodes //p')
    our_nps=$(echo "$ours" | sed -n 's/^nps //p')
    set -- "$1" "$2" "$3" "$4" $(stockfish_perft "$4" "$2")
    sf_nodes=$5
    sf_nps=$(echo "$5 / $6" | bc)
    ratio=$(echo "scale=1; 100 * $our_nps / $sf_nps" | bc)
    printf '%-9s depth %s  kessrin: %s nodes, %s nps   stockfish: %s nodes, %s nps   kessrin/stockfish %s%%\n' \
        "$1" "$2" "$our_nodes" "$our_nps" "$sf_nodes" "$sf_nps" "$ratio"
    [ "$our_nodes" = "$sf_nodes" ] || echo "  node counts differ!"
}

compare startpos 6 startpos "position startpos"
compare kiwipete 5 kiwipete "position fen $KIWIPETE"
