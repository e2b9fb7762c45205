#!/bin/bash
# Synthesises the sound effects: 16-bit mono PCM WAV, 22.05 kHz.
# The user's moves sound like plucked wood; the computer's (the *2 names) like soft electronic
# beeps an octave apart from them. Every sound ends in a fade so that cutting it off is silent.
# Usage: make_sounds.sh <sox> <output folder>
set -euo pipefail

SOX=$1
OUT=$2

mkdir -p "$OUT"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

FORMAT=(-r 22050 -c 1 -b 16 -e signed-integer)

# note <file> <wave> <frequency> <seconds>: one note that decays over its whole length.
note() {
    local file=$1 wave=$2 freq=$3 len=$4
    if [[ $wave == pluck ]]; then
        "$SOX" -n "${FORMAT[@]}" "$file" synth "$len" pluck "$freq" fade h 0.002 "$len" "$len"
    else
        # A soft electronic tone: the wave plus its octave in sine, quick attack, long decay.
        "$SOX" -n "${FORMAT[@]}" "$file" synth "$len" "$wave" "$freq" sine mix "$(($freq * 2))" \
            fade q 0.004 "$len" "$(awk -v l="$len" 'BEGIN { print l * 0.8 }')"
    fi
}

# phrase <name> <wave> <volume dB> <freq:len>...: the notes one after another, normalised.
phrase() {
    local name=$1 wave=$2 level=$3
    shift 3
    local parts=() i=0
    for spec in "$@"; do
        note "$WORK/$name-$i.wav" "$wave" "${spec%%:*}" "${spec##*:}"
        parts+=("$WORK/$name-$i.wav")
        i=$((i + 1))
    done
    "$SOX" "${parts[@]}" "${FORMAT[@]}" "$OUT/$name.WAV" gain -n "$level"
}

# The user's moves.
phrase MOVE pluck -6 659:0.14
"$SOX" -n "${FORMAT[@]}" "$WORK/knock.wav" synth 0.05 brownnoise fade q 0.001 0.05 0.045 gain -8
note "$WORK/cap.wav" pluck 440 0.2
"$SOX" -m "$WORK/cap.wav" "$WORK/knock.wav" "${FORMAT[@]}" "$OUT/CAPTURE.WAV" gain -n -5
phrase CHECK pluck -5 659:0.1 988:0.2
phrase SPECIAL pluck -6 1047:0.08 1319:0.08 1568:0.18

# The computer's moves.
phrase MOVE2 triangle -9 330:0.14
"$SOX" -n "${FORMAT[@]}" "$WORK/hiss.wav" synth 0.04 pinknoise fade q 0.001 0.04 0.035 gain -14
note "$WORK/cap2.wav" triangle 220 0.2
"$SOX" "$WORK/hiss.wav" "$WORK/cap2.wav" "${FORMAT[@]}" "$OUT/CAPTURE2.WAV" gain -n -8
phrase CHECK2 triangle -8 330:0.1 494:0.2
phrase SPECIAL2 triangle -9 523:0.08 659:0.08 784:0.18

# Interface sounds.
phrase CLICK sine -12 1760:0.035
"$SOX" -n "${FORMAT[@]}" "$OUT/ILLEGAL.WAV" synth 0.25 square 140 gain -6 tremolo 24 60 lowpass 1200 \
    fade q 0.005 0.25 0.1 gain -n -12

# Jingles.
phrase WIN sine -6 523:0.12 659:0.12 784:0.12 1047:0.45
phrase LOSS triangle -8 392:0.22 311:0.22 262:0.55
phrase DRAW sine -8 587:0.2 440:0.2 587:0.35
phrase NEWGAME pluck -6 392:0.1 523:0.1 659:0.1 784:0.1 1047:0.35
