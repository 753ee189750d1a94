#!/usr/bin/env bash
# Remakes every bundled asset under assets/ (pictures, animations, window pictures, icon, sounds, texts) and the pictures' contact sheets in docs/.
#
# Needs (Debian): qt6-base-dev cmake ninja-build g++ fonts-dejavu-core python3
#                 imagemagick gifsicle pngquant optipng sox bc espeak-ng librsvg2-bin
# and the Noto emoji SVGs unpacked in $NOTO (default /tmp/package; see tools/make_pictures.sh).
# Usage: tools/make_assets.sh
# The drawing programs are built in a temporary folder, never inside the repository. Pictures
# are rendered from tools/pictures.tsv; to add one, add a row there and its words to each
# assets/idiomas/<set>/nombres.tsv, and run this script again.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
assets=$(cd "$here/.." && pwd)/assets
build=${TMPDIR:-/tmp}/tolvano-media-maker
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}  # quiets Qt in a bare shell

missing=()
for tool in cmake ninja g++ convert-im6.q16 gifsicle pngquant optipng rsvg-convert sox soxi bc; do
    command -v "$tool" > /dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "make_assets: missing ${missing[*]}; see the package list at the top of this script" >&2
    exit 1
fi

echo "== building the drawing programs in $build"
cmake -S "$here/media_maker" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" > /dev/null

echo "== pictures (assets/pictures/<theme>/<id>.png from the Noto emoji SVGs)"
"$here/make_pictures.sh" "${NOTO:-/tmp/package}"

echo "== contact sheets of the pictures (docs/pictures/<set>-<theme>.png)"
"$here/make_sheets.sh"

echo "== animations and window pictures"
"$build/make_media" "$assets/pictures" "$work/media"
mkdir -p "$assets/gifs" "$assets/ventanas"
for gif in corre acierto 1 2 3 4 5 6; do
    # shellcheck disable=SC2046 # the argument file is a plain word list
    (cd "$work/media/$gif" && convert-im6.q16 $(cat args) "$gif.gif")
    gifsicle --no-warnings -O3 "$work/media/$gif/$gif.gif" -o "$assets/gifs/$gif.gif"
done
pngquant --force --speed 1 --quality 70-95 --strip --output "$assets/ventanas/portada.png" "$work/media/portada.png"
cp "$work/media/salir.png" "$work/media/minimizar.png" "$assets/ventanas/"
optipng -quiet -o2 -strip all "$assets"/ventanas/*.png

echo "== icon (assets/icono/hicolor/*/tolvano.png from assets/icono/tolvano.svg)"
"$here/make_icons.sh"

echo "== sounds"
"$here/make_sounds.sh" "$assets/sonidos"

echo "== texts"
"$here/make_texts.sh" "$assets"

echo "== voices"
"$here/make_voices.sh"

echo "== check"
"$build/check_media" "$assets"

echo "== every set's words side by side (docs/words.md)"
python3 "$here/make_words_table.py"
du -sh "$assets"
