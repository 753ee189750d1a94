#!/usr/bin/env bash
# Records every word of each set's names table (assets/idiomas/<set>/nombres.tsv) with espeak-ng,
# trimmed and normalised with sox, as assets/idiomas/<set>/voces/<word>.wav (16-bit mono, 16 kHz;
# 12 kHz for Portuguese and Italian, whose longer words would pass at 16 kHz the 8 MB each set may
# add to the repository): the voice the game falls back on where a teacher has recorded none.
#
# Needs (Debian): espeak-ng sox
# Usage: tools/make_voices.sh [SET...]   (tools/make_assets.sh calls it; no SET: every set below)
# Naming sets remakes only theirs, so a new set's recordings leave the others' bytes as they are.
set -euo pipefail

assets=$(cd "$(dirname "$0")/.." && pwd)/assets
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in espeak-ng sox soxi; do
    command -v "$tool" > /dev/null || { echo "make_voices: missing $tool (apt-get install espeak-ng sox)" >&2; exit 1; }
done

# A slower, slightly higher voice than espeak's default, for children learning to read.
speak() { # VOICE WORD OUT RATE
    espeak-ng -v "$1" -s 120 -p 60 -w "$work/raw.wav" "$2"
    # Silence trimmed at both ends (what espeak adds), then every word equally loud.
    sox "$work/raw.wav" -r "$4" -b 16 -c 1 "$3" \
        silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse norm -1
    # A one-syllable word ("dé", "pa") trims to under 0.3 s, too short for the game's recordings to
    # be told from a click: such a word gets silence at both ends up to 0.32 s, and nothing else.
    local length
    length=$(soxi -D "$3")
    if awk -v l="$length" 'BEGIN { exit !(l < 0.32) }'; then
        local half
        half=$(awk -v l="$length" 'BEGIN { printf "%.4f", (0.32 - l) / 2 }')
        sox "$3" "$work/padded.wav" pad "$half" "$half"
        mv "$work/padded.wav" "$3"
    fi
}

# Each set's espeak-ng voice.
declare -A voice_of=([es]=es [en]=en-gb [fr]=fr-fr [pt]=pt [it]=it [de]=de [ca]=ca)
declare -A rate_of=([pt]=12000 [it]=12000) # the others 16000
sets=("$@")
[[ ${#sets[@]} -gt 0 ]] || sets=(es en fr pt it de ca)

for set_name in "${sets[@]}"; do
    voice=${voice_of[$set_name]:-}
    [[ -n $voice ]] || { echo "make_voices: no voice for the set $set_name" >&2; exit 1; }
    table=$assets/idiomas/$set_name/nombres.tsv
    voices=$assets/idiomas/$set_name/voces
    [[ -f $table ]] || { echo "make_voices: no $table" >&2; exit 1; }
    mkdir -p "$voices"
    # Every recording is made again, so a word gone from the table leaves none behind.
    find "$voices" -maxdepth 1 -type f -name '*.wav' -delete
    while IFS=$'\t' read -r _ word _; do
        speak "$voice" "$word" "$voices/$word.wav" "${rate_of[$set_name]:-16000}"
    done < <(grep -v -e '^#' -e '^$' "$table")
    echo "make_voices: $set_name: $(find "$voices" -name '*.wav' | wc -l) recordings, $(du -sh "$voices" | cut -f1)"
done
