#!/usr/bin/env bash
# An upright screen (a tablet held upright, 1,080 x 1,920): the board lies across the width, at
# least 80 % of it, with three pictures above it and three below, every letter and every picture
# on the screen. Measured from a screenshot of the real program.
# Usage: upright_screen.sh PLAY_DIR   (run under xvfb.sh 1080x1920)
set -uo pipefail
play_dir=$1
source "$(dirname "$0")/lib.sh"
W=1080
H=1920
eval "$("$TOLVANO_LAYOUT_FIGURES" "$W" "$H")" || exit 1
# Pictures flattened onto a dark colour (same sizes, so the same layout) show their whole
# rectangles, whatever their drawing leaves transparent.
mogrify-im6.q16 -background '#404040' -alpha remove -alpha off "$work/game/idiomas/es/imagenes/"*/*
echo 0 >"$work/game/idiomas/es/configuracion/velocidad.txt" # the round may not end by time

QT_QPA_PLATFORM=xcb "$work/game/tolvano" &
pid=$!
wait_for_splash || fail "no splash screen in the middle of the screen"
sleep 0.3
click $((W / 2)) $((H / 2)) 0.5
menu=$(menu_window)
[ -n "$menu" ] || fail "the level menu did not appear"
eval "$(xdotool getwindowgeometry --shell "$menu")"
sleep 0.6 # the menu ignores clicks for a double-click's time after it opens
click "$(play_x "$X" "$WIDTH")" "$(play_y "$Y" "$HEIGHT")" 1.5
shot

# Runs of screen columns (or rows) that are not the background, in a crop of the screenshot
# squeezed to one line: "from to" per run.
background=$(convert-im6.q16 "$work/shot.png" -crop 1x1+1+$((H / 2)) txt:- | awk 'NR == 2 { print $2 }')
runs() { # runs CROP LENGTH AXIS(x|y)
    local sample
    [ "$3" = x ] && sample="${2}x20!" || sample="20x${2}!"
    convert-im6.q16 "$work/shot.png" -crop "$1" +repage -sample "$sample" txt:- |
        awk -v bg="$background" -v n="$2" -v axis="$3" '
            NR > 1 { split($1, xy, /[,:]/); if ($2 != bg) used[axis == "x" ? xy[1] : xy[2]] = 1 }
            END {
                for (i = 0; i < n; i++) {
                    if (used[i] && !inside) { start = i; inside = 1 }
                    if (!used[i] && inside) { printf "%d %d\n", start, i - 1; inside = 0 }
                }
                if (inside) printf "%d %d\n", start, n - 1
            }'
}

# The board across the width: a row through the middle of its sixth row of cells.
row_y=$(( (board_top + pitch * 5 + pitch / 2) / twips_per_pixel ))
board=$(runs "${W}x3+0+$row_y" "$W" x)
from=$(echo "$board" | head -1 | cut -d' ' -f1)
to=$(echo "$board" | tail -1 | cut -d' ' -f2)
echo "board x $from-$to of $W"
[ $(( (to - from + 1) * 100 )) -ge $(( W * 80 )) ] || fail "the board is $((to - from + 1)) px wide, under 80 % of $W"
# Every letter: each cell's middle is a white cell, and the last row ends on the screen.
for cell in 0 11 66 132 143; do
    x=$(( (board_left + pitch * (cell % board_side) + pitch / 4) / twips_per_pixel ))
    y=$(( (board_top + pitch * (cell / board_side) + pitch / 4) / twips_per_pixel ))
    [ "$x" -ge 0 ] && [ "$x" -lt "$W" ] && [ "$y" -ge 0 ] && [ "$y" -lt "$H" ] || fail "cell $cell is off the screen at $x,$y"
    [ "$(pixel "$x" "$y")" = "255,255,255" ] || fail "cell $cell is not a white letter at $x,$y"
done
board_bottom=$(( (board_top + pitch * board_side) / twips_per_pixel ))
[ "$board_bottom" -lt "$H" ] || fail "the board's last row ends at $board_bottom, below the screen"

# The pictures: three dark rectangles side by side above the board's buttons, and three below
# the running figure, each wholly on the screen.
above_to=$(( board_top / twips_per_pixel - 2 * pitch / twips_per_pixel ))
below_from=$(( board_bottom + pitch / twips_per_pixel + 10 ))
for band in "above 0 $above_to" "below $below_from $H"; do
    read -r name top bottom <<<"$band"
    # Clear of the corner buttons at the top.
    [ "$name" = above ] && top=$(( 10 + 41 * pitch / 731 + 4 ))
    columns=$(runs "${W}x$((bottom - top))+0+$top" "$W" x)
    [ "$(echo "$columns" | grep -c .)" -eq 3 ] || fail "pictures $name the board: runs ${columns//$'\n'/, }"
    rows=$(runs "${W}x$((bottom - top))+0+$top" "$((bottom - top))" y)
    first=$(echo "$rows" | head -1 | cut -d' ' -f1)
    last=$(echo "$rows" | tail -1 | cut -d' ' -f2)
    [ -n "$first" ] && [ $((top + last)) -lt $((H - 1)) ] || fail "pictures $name the board run off the screen: rows $first-$last"
    left=$(echo "$columns" | head -1 | cut -d' ' -f1)
    right=$(echo "$columns" | tail -1 | cut -d' ' -f2)
    [ "$left" -gt 0 ] && [ "$right" -lt $((W - 1)) ] || fail "pictures $name the board touch the screen's side: $left-$right"
    echo "pictures $name the board: x ${columns//$'\n'/, }; y $((top + first))-$((top + last))"
done
echo "upright screen: 1 passed, 0 failed"
