#!/usr/bin/env bash
# Makes the game's four sounds with sox: acierto.wav (chime), error.wav (soft boop), final.wav (fanfare),
# perdida.wav (a lost round's soft falling two notes).
# Usage: tools/make_sounds.sh [OUTPUT_DIR]   (default: assets/sonidos beside this script's folder)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../assets/sonidos}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

export SOX_OPTS="-R"  # repeatable: the same files on every run (fixed dither seed)
rate=22050
mono=(-r $rate -c 1 -n -b 16)  # one generated voice
duo=(-r $rate -c 2 -n -b 16)   # two voices, mixed down to one channel by remix

# A bell-like note: a sine with a quieter octave above, fading away.
# bell FILE SECONDS FREQUENCY
bell() {
    sox "${duo[@]}" "$1" synth "$2" sine "$3" sine "$(echo "$3 * 2" | bc -l)" \
        remix 1v0.75,2v0.25 fade q 0.008 "$2" "$(echo "$2 - 0.01" | bc -l)" fade l 0 "$2" "$(echo "$2 - 0.01" | bc -l)"
}

# A soft, round note: a triangle wave with its edges taken off.
# soft FILE SECONDS FREQUENCY
soft() {
    sox "${mono[@]}" "$1" synth "$2" triangle "$3" lowpass 1200 fade q 0.01 "$2" 0.06
}

# A brass-like note for the fanfare: a low-passed sawtooth over a sine.
# horn FILE SECONDS FREQUENCY FADE_OUT
horn() {
    sox "${duo[@]}" "$1" synth "$2" sawtooth "$3" sine "$3" remix 1v0.45,2v0.55 \
        lowpass 1800 lowpass 1800 fade q 0.012 "$2" "$4"
}

# Finishing touches shared by all sounds: peak at -3 dB, a few milliseconds of silence around.
finish() {
    sox "$1" "$2" gain -n -3 pad 0.005 0.01
}

# acierto: three quick rising bell notes (C6, E6, G6) that ring on together.
bell "$tmp/c.wav" 0.45 1046.50
bell "$tmp/e.wav" 0.45 1318.51
bell "$tmp/g.wav" 0.55 1567.98
sox "$tmp/e.wav" "$tmp/e2.wav" pad 0.09
sox "$tmp/g.wav" "$tmp/g2.wav" pad 0.18
sox -m "$tmp/c.wav" "$tmp/e2.wav" "$tmp/g2.wav" "$tmp/chime.wav"
finish "$tmp/chime.wav" "$out/acierto.wav"

# error: a gentle falling "boo-boop" (E4 then C4), quiet and low, never harsh.
soft "$tmp/b1.wav" 0.12 329.63
soft "$tmp/b2.wav" 0.18 261.63
sox "$tmp/b1.wav" "$tmp/b2.wav" "$tmp/boop.wav"
sox "$tmp/boop.wav" "$out/error.wav" gain -n -6 pad 0.005 0.01

# final: a short fanfare, G4 C5 E5 G5 rising, then a held C major chord.
horn "$tmp/f1.wav" 0.13 392.00 0.03
horn "$tmp/f2.wav" 0.13 523.25 0.03
horn "$tmp/f3.wav" 0.13 659.26 0.03
horn "$tmp/f4.wav" 0.22 783.99 0.05
for f in 523.25 659.26 783.99 1046.50; do
    horn "$tmp/chord_$f.wav" 0.85 "$f" 0.6
done
sox -m "$tmp"/chord_*.wav "$tmp/chord.wav"
sox "$tmp/f1.wav" "$tmp/f2.wav" "$tmp/f3.wav" "$tmp/f4.wav" "$tmp/chord.wav" "$tmp/fanfare.wav"
finish "$tmp/fanfare.wav" "$out/final.wav"

# perdida: a lost round, two soft bell notes falling a fourth (A4 then E4), slow and quiet: a
# gentle "oh well", never a telling-off.
bell "$tmp/l1.wav" 0.5 440.00
bell "$tmp/l2.wav" 0.75 329.63
sox "$tmp/l2.wav" "$tmp/l2p.wav" pad 0.32
sox -m "$tmp/l1.wav" "$tmp/l2p.wav" "$tmp/lost.wav" lowpass 2500
sox "$tmp/lost.wav" "$out/perdida.wav" gain -n -8 pad 0.005 0.01

for f in acierto error final perdida; do
    printf '%s.wav: %s s\n' "$f" "$(soxi -D "$out/$f.wav")"
done
