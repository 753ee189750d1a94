#!/usr/bin/env bash
# Makes the contact sheets docs/pictures-<set>.png: every bundled picture of a language set with its word, to check the set at a glance.
#
# Needs (Debian): qt6-base-dev cmake ninja-build g++ fonts-dejavu-core pngquant optipng
# Usage: tools/make_sheets.sh
# Run it after changing any picture under assets/idiomas/*/imagenes/ (tools/make_assets.sh runs it).
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

declare -A title=([es]="Spanish set, assets/idiomas/es/imagenes" [en]="English set, assets/idiomas/en/imagenes")
mkdir -p "$root/docs"
for set in es en; do
    "$build/make_sheet" "$root/assets/idiomas/$set/imagenes" "$work/pictures-$set.png" "$set" "${title[$set]}"
    # A palette keeps each sheet well under a megabyte, small enough to keep in the repository.
    pngquant --force --speed 1 --quality 60-85 --strip --output "$root/docs/pictures-$set.png" "$work/pictures-$set.png"
    optipng -quiet -o2 -strip all "$root/docs/pictures-$set.png"
done
ls -l "$root"/docs/pictures-*.png
