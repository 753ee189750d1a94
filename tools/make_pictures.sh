#!/usr/bin/env bash
# Renders the picture store assets/pictures/<theme>/<id>.png from tools/pictures.tsv and the Noto emoji SVGs.
#
# Needs (Debian): python3 librsvg2-bin imagemagick pngquant optipng; and the Noto emoji as SVG,
# the npm package @iconify-json/noto (Apache-2.0), unpacked outside the repository:
#     cd /tmp && npm pack @iconify-json/noto && tar xzf iconify-json-noto-*.tgz   # makes /tmp/package
# Usage: tools/make_pictures.sh [NOTO_PACKAGE_DIR]   (default /tmp/package; tools/make_assets.sh calls it)
#
# Each picture is 512 x 512, transparent, its subject scaled to fill the square less a small
# margin and centred: the Noto drawings leave uneven room around their subjects, which would make
# some pictures on the board look smaller than others. The store is replaced whole, so a row
# removed from the table leaves no picture behind.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
assets=$(cd "$here/.." && pwd)/assets
noto=${1:-/tmp/package}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

side=512   # the store's picture size
margin=24  # room left on each side of the subject, in pixels

for tool in python3 rsvg-convert identify pngquant optipng; do
    command -v "$tool" > /dev/null || { echo "make_pictures: missing $tool; see the package list at the top of this script" >&2; exit 1; }
done
if [[ ! -f $noto/icons.json || ! -f $noto/chars.json ]]; then
    echo "make_pictures: no icons.json and chars.json in $noto; see the top of this script for how to get them" >&2
    exit 1
fi

python3 "$here/noto_svgs.py" "$here/pictures.tsv" "$noto" "$work/svg"

# One picture: a first rendering finds the subject's box, a second renders the square around it
# straight from the drawing, so nothing is scaled twice.
render() { # SVG PNG
    local svg=$1 png=$2 box viewbox
    rsvg-convert -w "$side" -h "$side" "$svg" -o "$png"
    viewbox=$(sed -n 's/.*viewBox="\([^"]*\)".*/\1/p' "$svg" | head -n 1)
    box=$(identify -format '%@' "$png")  # WxH+X+Y of what is not transparent
    if [[ ! $box =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]]; then
        echo "make_pictures: cannot measure $svg ($box)" >&2
        return 1
    fi
    box=$(awk -v vb="$viewbox" -v w="${BASH_REMATCH[1]}" -v h="${BASH_REMATCH[2]}" \
        -v x="${BASH_REMATCH[3]}" -v y="${BASH_REMATCH[4]}" -v side="$side" -v margin="$margin" '
        BEGIN {
            split(vb, v, " "); unit = v[3] / side        # drawing units per pixel
            big = (w > h ? w : h) * unit
            size = big * side / (side - 2 * margin)
            cx = v[1] + (x + w / 2) * unit; cy = v[2] + (y + h / 2) * unit
            printf "%.3f %.3f %.3f %.3f", cx - size / 2, cy - size / 2, size, size
        }')
    sed -e "s/viewBox=\"[^\"]*\"/viewBox=\"$box\"/" -e "s/width=\"[^\"]*\" height=\"[^\"]*\"/width=\"$side\" height=\"$side\"/" \
        "$svg" > "$svg.square.svg"
    rsvg-convert -w "$side" -h "$side" "$svg.square.svg" -o "$png"
}

count=0
while IFS= read -r -d '' svg; do
    relative=${svg#"$work/svg/"}
    mkdir -p "$work/png/$(dirname "$relative")"
    render "$svg" "$work/png/${relative%.svg}.png"
    count=$((count + 1))
done < <(find "$work/svg" -name '*.svg' -print0 | sort -z)
echo "make_pictures: $count pictures rendered, now made smaller"

# Palette PNGs look the same at this size and take a third of the room.
find "$work/png" -name '*.png' -print0 | xargs -0 -n 40 -P 2 pngquant --force --ext .png --speed 1 --quality 60-85 --strip
find "$work/png" -name '*.png' -print0 | xargs -0 -n 40 -P 2 optipng -quiet -o2 -strip all

rm -rf "$assets/pictures"
mkdir -p "$assets/pictures"
cp -r "$work/png/." "$assets/pictures/"
echo "make_pictures: $(find "$assets/pictures" -name '*.png' | wc -l) pictures in assets/pictures, $(du -sh "$assets/pictures" | cut -f1)"
