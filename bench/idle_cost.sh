#!/usr/bin/env bash
# Idle cost of veldran: CPU share and main-thread wake-ups a second while a loaded game sits on
# the screen with nothing running. Usage: bench/idle_cost.sh [build dir=build] [seconds=10]
# Runs the program under its own X server with a scratch settings folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
seconds=${2:-10}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '[Event "Idle"]\n[Result "*"]\n\n1. e4 e5 2. Nf3 *\n' >"$scratch/idle.pgn"

measure() {
    local pid=$1 ticks_per_second
    ticks_per_second=$(getconf CLK_TCK)
    sleep 5 # let the window come up and the engine finish its hand-shake
    read -r cpu0 < <(awk '{print $14 + $15}' "/proc/$pid/stat")
    switches0=$(awk '/^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {n=$2} END {print v + n}' "/proc/$pid/task/$pid/status")
    sleep "$seconds"
    read -r cpu1 < <(awk '{print $14 + $15}' "/proc/$pid/stat")
    switches1=$(awk '/^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {n=$2} END {print v + n}' "/proc/$pid/task/$pid/status")
    awk -v c="$((cpu1 - cpu0))" -v hz="$ticks_per_second" -v s="$seconds" \
        -v w="$((switches1 - switches0))" \
        'BEGIN { printf "idle: %.2f%% of a core (all threads), %.1f main-thread wake-ups a second\n", 100 * c / hz / s, w / s }'
}

export XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" & pid=$!
    '"$(declare -f measure)"'
    seconds='"$seconds"' measure "$pid"
    kill "$pid"; wait "$pid" 2>/dev/null || true
' "$build/app/veldran" "$scratch/idle.pgn"
