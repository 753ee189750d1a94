#!/usr/bin/env bash
# Clicks at a round's edges on the real program: a double-click on the splash, the revealed letters
# of a lost round, a double-click on play with clicks on the old board before the next round. None
# of them may change a round, and exactly one menu and one new round must follow.
# Usage: round_edges.sh PLAY_DIR   (the built program with its data folders beside it)
set -uo pipefail
play_dir=$1
source "$(dirname "$0")/lib.sh"
echo 0 >"$work/game/idiomas/es/configuracion/velocidad.txt" # no round may end by time while this runs

QT_QPA_PLATFORM=xcb "$work/game/tolvano" &
pid=$!
wait_for_splash || fail "no splash screen in the middle of the screen"
sleep 0.3

# Where the menu will stand when it opens (centred), so that the splash can be double-clicked
# right over its play button.
menu_x=$(( (W - menu_w) / 2 ))
menu_y=$(( (H - menu_h) / 2 ))
xdotool mousemove "$(play_x $menu_x)" "$(play_y $menu_y)" click --repeat 2 --delay 60 1
sleep 1.5
menu=$(menu_window)
[ -n "$menu" ] || fail "the level menu did not appear after a double-click on the splash"
shot
[ "$(pixel $(probe 0))" != "255,255,255" ] ||
    fail "the splash's second click pressed play"

eval "$(xdotool getwindowgeometry --shell "$menu")"
# The first play, double-clicked: the board appears under the second click, which must not count.
xdotool mousemove "$(play_x $X)" "$(play_y $Y)" click --repeat 2 --delay 60 1
sleep 1.5
shot
[ "$(reds)" -eq 0 ] || fail "the second click on play counted on the new board"
lose_round || fail "eight misses did not come"
cp "$work/shot.png" "$work/lost.png"
before_colours=$(cell_colours)

# In the pause the revealed (green) letters take no clicks. Cells where the menu will not stand
# (above and below it, and the first column) are clicked; only when no word lies there are the
# others clicked, at once, and then compared only while the menu has not come.
# (The menu with its row of themes spans rows 2 to 10.)
safe_cell() { [ $(( $1 / 12 )) -le 1 ] || [ $(( $1 / 12 )) -ge 11 ] || [ $(( $1 % 12 )) -eq 0 ]; }
moves=()
all_moves=()
for cell in $(echo "$before_colours" | grep -n '^0,255,0$' | cut -d: -f1); do
    cell=$(( cell - 1 ))
    move=(mousemove $(( $(cell_x $cell) + 20 )) $(( $(cell_y $cell) + 20 )) click 1)
    all_moves+=("${move[@]}")
    safe_cell $cell && moves+=("${move[@]}")
done
[ ${#all_moves[@]} -gt 0 ] || fail "the words not found were not shown in green"
[ ${#moves[@]} -gt 0 ] || moves=("${all_moves[@]:0:20}")
xdotool "${moves[@]}"
sleep 0.2
shot
# Only cells the menu never covers, unless no menu is up yet.
menu_up=$(menu_count)
clear_of_menu() {
    if [ "$menu_up" -eq 0 ]; then cat; else awk '{ c = NR - 1 } c < 24 || c >= 132 || c % 12 == 0'; fi
}
after_colours=$(cell_colours | clear_of_menu)
before_colours=$(echo "$before_colours" | clear_of_menu)
[ "$after_colours" = "$before_colours" ] ||
    fail "a click in the pause changed the board: $(diff <(echo "$before_colours") <(echo "$after_colours") | head -5 | tr '\n' ' ')"
cp "$work/lost.png" "$work/shot.png"
before_score=$(score_text)
[[ "$before_score" == *"de6-"* ]] || fail "the first round's score reads '$before_score'"

# The menu comes once; a double-click on play, then the green letters again within the 500 ms
# before the next round: one round, one menu, six more words offered, none found.
menu=$(menu_window)
[ -n "$menu" ] || fail "the level menu did not come back after the round"
eval "$(xdotool getwindowgeometry --shell "$menu")"
sleep 0.6 # the menu ignores clicks for a double-click's time after it opens
# Four green letters (five words each of the moves list) keep the clicks well inside the 500 ms.
xdotool mousemove "$(play_x $X)" "$(play_y $Y)" click --repeat 2 --delay 60 1 "${moves[@]:0:20}"
sleep 1
shot
for cell in 0 77 143; do
    [ "$(pixel $(probe $cell))" = "255,255,255" ] ||
        fail "the next round's cell $cell is not white"
done
expected="${before_score/de6-/de12-}"
expected="${expected%%-*}-"
[[ "$(score_text)" == "$expected"* ]] || fail "the next round's score reads '$(score_text)', not '$expected...'"
sleep 4 # longer than the pause: a round ended behind the screen would bring a menu now
[ "$(menu_count)" -eq 0 ] || fail "a menu opened during the new round"

# The exit button ends the program within half a second (a second, on a busy machine).
start=$(date +%s%N)
click $((W - 20)) 20 0
while kill -0 $pid 2>/dev/null && [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 3000 ]; do sleep 0.02; done
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
kill -0 $pid 2>/dev/null && fail "the program did not end from its exit button"
[ "$elapsed" -lt 1000 ] || fail "the program took $elapsed ms to end"
echo "round edges: 1 passed, 0 failed (exit in $elapsed ms)"
