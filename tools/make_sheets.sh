#!/usr/bin/env bash
# Makes the contact sheets docs/pictures/<set>-<theme>.png: every bundled picture of one theme of a language set with its word, to check it at a glance.
#
# Needs (Debian): qt6-base-dev cmake ninja-build g++ fonts-dejavu-core pngquant optipng
# Usage: tools/make_sheets.sh
# Run it after changing the picture store assets/pictures/ or a set's assets/idiomas/<set>/nombres.tsv
# (tools/make_assets.sh runs it). The sheets show each set's folders as the build makes them from
# the two (app/picture_store.cmake), so each picture shows under the word and theme the game gives it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${TMPDIR:-/tmp}/tolvano-media-maker
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}  # quiets Qt in a bare shell

for tool in cmake ninja g++ pngquant optipng; do
    command -v "$tool" > /dev/null || { echo "make_sheets: missing $tool; see the package list at the top of this script" >&2; exit 1; }
done

# The same build folder as make_assets.sh: after it, this builds nothing again.
cmake -S "$here/media_maker" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" --target make_sheet > /dev/null

# The set folders the game gets, made in a scratch folder by the build's own rules.
printf 'include("%s/app/picture_store.cmake")\ntolvano_set_pictures("%s/assets" "%s/sets" COPY)\n' \
    "$root" "$root" "$work" > "$work/sets.cmake"
cmake -P "$work/sets.cmake"

declare -A language=([es]="Spanish" [en]="English" [fr]="French" [pt]="Portuguese" [it]="Italian"
                     [de]="German" [ca]="Catalan")
mkdir -p "$root/docs/pictures"
# A sheet of a theme no longer there must not linger.
find "$root/docs/pictures" -maxdepth 1 -type f -name '*.png' -delete
for set in es en fr pt it de ca; do
    for folder in "$work/sets/$set/imagenes"/*/; do
        theme=$(basename "$folder")
        sheet=$set-$theme.png
        "$build/make_sheet" "$folder" "$work/$sheet" "$set" "${language[$set]} set, $theme"
        # A palette keeps each sheet well under a megabyte, small enough to keep in the repository.
        pngquant --force --speed 1 --quality 60-85 --strip --output "$root/docs/pictures/$sheet" "$work/$sheet"
        optipng -quiet -o2 -strip all "$root/docs/pictures/$sheet"
    done
done
echo "make_sheets: $(find "$root/docs/pictures" -name '*.png' | wc -l) sheets in docs/pictures, $(du -sh "$root/docs/pictures" | cut -f1)"
