#!/bin/sh
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

# stockfish_perft <position command> <depth>: prints "nodes seconds". The run's wall time less
# that of a depth-1 run, so that start-up and network loading are not counted.
stockfish_run() {
    printf 'uci\nisready\n%s\ngo perft %s\nquit\n' "$1" "$2" | "$STOCKFISH" |
        sed -n 's/^Nodes searched: *//p'
}
stockfish_perft() {
    start=$(now)
    stockfish_run "$1" 1 >/dev/null
    base=$(echo "$(now) - $start" | bc -l)
    start=$(now)
    nodes=$(stockfish_run "$1" "$2")
    end=$(now)
    echo "$nodes $(echo "$end - $start - $base" | bc -l)"
}

compare() { # <name> <depth> <perft position argument> <stockfish position command>
    ours=$("$PERFT" "$2" "$3")
    our_nodes=$(echo "$ours" | sed -n 's/^nodes //p')
    our_nps=$(echo "$ours" | sed -n 's/^nps //p')
    set -- "$1" "$2" "$3" "$4" $(stockfish_perft "$4" "$2")
    sf_nodes=$5
    sf_nps=$(echo "$5 / $6" | bc)
    ratio=$(echo "scale=2; $sf_nps / $our_nps" | bc)
    printf '%-9s depth %s  kessrin: %s nodes, %s nps   stockfish: %s nodes, %s nps   stockfish/kessrin %s\n' \
        "$1" "$2" "$our_nodes" "$our_nps" "$sf_nodes" "$sf_nps" "$ratio"
    [ "$our_nodes" = "$sf_nodes" ] || echo "  node counts differ!"
}

compare startpos 6 startpos "position startpos"
compare kiwipete 5 kiwipete "position fen $KIWIPETE"
