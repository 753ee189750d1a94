#!/usr/bin/env bash
# Renders the game's icon assets/icono/tolvano.svg to the PNG sizes the desktop's menus use (assets/icono/hicolor/<size>/tolvano.png).
#
# Needs (Debian): librsvg2-bin; optipng (optional: the PNGs are only made smaller)
# Usage: tools/make_icons.sh
# Run it after changing the SVG (tools/make_assets.sh runs it). Running it twice gives the same files.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
icons=$(cd "$here/.." && pwd)/assets/icono

command -v rsvg-convert > /dev/null ||
    { echo "make_icons: missing rsvg-convert; see the package list at the top of this script" >&2; exit 1; }

for size in 48 64 128 256; do
    mkdir -p "$icons/hicolor/$size"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$icons/hicolor/$size/tolvano.png" "$icons/tolvano.svg"
done
if command -v optipng > /dev/null; then
    optipng -quiet -o2 -strip all "$icons"/hicolor/*/tolvano.png
fi
