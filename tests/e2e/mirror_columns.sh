#!/usr/bin/env bash
# The two picture columns of a round stand as mirror images about the board: as far from the
# screen's left edge as from its right, and as far from the board on one side as on the other.
# Checked mid-round on a small 4:3 screen and on a wide one, each on an Xvfb of its own size.
# Usage: mirror_columns.sh PLAY_DIR   (the built program with its data folders beside it)
set -uo pipefail
play_dir=$1

if [ -z "${MIRROR_SIZE:-}" ]; then
    shots=$(mktemp -d)
    # The pictures are transparent around their drawing, so what shows of a column depends on
    # which pictures a round draws. Flattened onto a dark colour (same sizes, so the same layout)
    # each picture shows its whole rectangle.
    cp -r "$play_dir"/. "$shots/play"
    mogrify-im6.q16 -background '#404040' -alpha remove -alpha off "$shots/play/idiomas/es/imagenes/"*/*
    status=0
    for size in 800x600 1920x1080; do
        MIRROR_SIZE=$size MIRROR_SHOTS=$shots "$(dirname "$0")/xvfb.sh" "$size" "$0" "$shots/play" || status=1
    done
    rm -rf "$shots/play"
    if [ $status -eq 0 ]; then
        rm -rf "$shots"
        echo "mirror columns: 2 passed, 0 failed"
    else
        echo "screenshots:" "$shots"/*.png
    fi
    exit $status
fi

source "$(dirname "$0")/lib.sh"
W=${MIRROR_SIZE%x*}
H=${MIRROR_SIZE#*x}
echo 0 >"$work/game/idiomas/es/configuracion/velocidad.txt" # the round may not end by time
QT_QPA_PLATFORM=xcb "$work/game/tolvano" &
pid=$!
wait_for_splash || fail "$MIRROR_SIZE: no splash screen in the middle of the screen"
sleep 0.3
click $((W / 2)) $((H / 2)) 0.5
menu=$(menu_window)
[ -n "$menu" ] || fail "$MIRROR_SIZE: the level menu did not appear"
eval "$(xdotool getwindowgeometry --shell "$menu")"
sleep 0.6 # the menu ignores clicks for a double-click's time after it opens
click "$(play_x "$X" "$WIDTH")" "$(play_y "$Y" "$HEIGHT")" 1.5
shot
cp "$work/shot.png" "$MIRROR_SHOTS/game-$MIRROR_SIZE.png"

# The top left corner is bare in any layout: its colour is the background's.
background=$(convert-im6.q16 "$work/shot.png" -crop 1x1+1+1 txt:- | awk 'NR == 2 { print $2 }')
# Rows from a quarter to three quarters of the height miss the corner buttons, the score buttons
# and the running figure. A screen column counts as used when any of the rows is not background
# there; the runs of used columns are the left pictures, the board (maybe split between its
# cells) and the right pictures.
runs=$(convert-im6.q16 "$work/shot.png" -crop "${W}x$((H / 2))+0+$((H / 4))" +repage -sample "${W}x40!" txt:- |
    awk -v bg="$background" -v w="$W" '
        NR > 1 { split($1, xy, /[,:]/); if ($2 != bg) used[xy[1]] = 1 }
        END {
            for (x = 0; x < w; x++) {
                if (used[x] && !inside) { start = x; inside = 1 }
                if (!used[x] && inside) { printf "%d %d\n", start, x - 1; inside = 0 }
            }
            if (inside) printf "%d %d\n", start, w - 1
        }')
[ "$(echo "$runs" | grep -c .)" -ge 3 ] ||
    fail "$MIRROR_SIZE: expected pictures, board, pictures across the middle rows; found runs: ${runs//$'\n'/, }"
read -r left_from left_to <<<"$(echo "$runs" | head -1)"
read -r board_from _ <<<"$(echo "$runs" | sed -n 2p)"
read -r _ board_to <<<"$(echo "$runs" | tail -2 | head -1)"
read -r right_from right_to <<<"$(echo "$runs" | tail -1)"

left_margin=$left_from
right_margin=$((W - 1 - right_to))
left_gap=$((board_from - left_to - 1))
right_gap=$((right_from - board_to - 1))
echo "$MIRROR_SIZE: background $background; left pictures x $left_from-$left_to, board x $board_from-$board_to," \
    "right pictures x $right_from-$right_to"
echo "$MIRROR_SIZE: screen edge to pictures $left_margin | $right_margin px, pictures to board $left_gap | $right_gap px"
near() { [ $(($1 - $2)) -le 3 ] && [ $(($2 - $1)) -le 3 ]; }
[ "$board_from" -lt $((W / 2)) ] && [ "$board_to" -gt $((W / 2)) ] && near "$board_from" $((W - 1 - board_to)) ||
    fail "$MIRROR_SIZE: the board is not found centred, so the runs are not what they seem"
problems=""
near "$left_margin" "$right_margin" ||
    problems+=" the left pictures stand $left_margin px from the screen's left edge, the right ones $right_margin px from its right edge;"
near "$left_gap" "$right_gap" ||
    problems+=" the left pictures stand $left_gap px from the board, the right ones $right_gap px;"
[ -z "$problems" ] || { echo "FAIL: $MIRROR_SIZE:$problems"; exit 1; }
echo "$MIRROR_SIZE: the picture columns mirror each other"
