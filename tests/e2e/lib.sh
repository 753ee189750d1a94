# What the real-window tests share: a copy of the built program, screenshots, pixels and clicks
# on a 1,024 x 768 Xvfb screen. Source it after setting play_dir.
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$play_dir"/. "$work/game"
# The screens are read as Spanish (the score's "de"), whichever set the play folder has active.
echo es >"$work/game/idiomas/activo.txt"

W=1024
H=768
fail() { echo "FAIL: $*"; import -window root "$work/fail.png" 2>/dev/null && cp "$work/fail.png" /tmp/tolvano-e2e-fail.png; exit 1; }
shot() { import -window root "$work/shot.png"; [ -n "${E2E_DEBUG:-}" ] && cp "$work/shot.png" "$E2E_DEBUG/$(date +%s%N).png"; return 0; }
# The colour of one pixel of the last screenshot, as r,g,b.
pixel() { convert-im6.q16 "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.15}"; }
wait_for_menu() { xdotool search --sync --onlyvisible --name '^Tolvano 2\.0$' 2>/dev/null | head -1; }
menu_window() { timeout "${1:-10}" bash -c "$(declare -f wait_for_menu); wait_for_menu" || true; }
# The splash is up once the middle of the screen is no longer black (a busy machine may take a
# few seconds to start the program).
# Up to half a minute: the sanitizer build with the screen reader's bus on a busy machine has
# taken over ten seconds to show it.
wait_for_splash() {
    local tries
    for tries in $(seq 1 150); do
        shot
        [ "$(pixel $((W / 2)) $((H / 2)))" != "0,0,0" ] && return 0
        sleep 0.2
    done
    return 1
}
menu_count() { xdotool search --onlyvisible --name '^Tolvano 2\.0$' 2>/dev/null | wc -l; }

# Where the board's cells lie at 1024 x 768, in twips, as the game's layout puts them
# (TOLVANO_LAYOUT_FIGURES names the program that prints them): twips_per_pixel, board_side,
# board_left, board_top and pitch.
eval "$("${TOLVANO_LAYOUT_FIGURES:?the layout figures program}" "$W" "$H")" || exit 1
cell_x() { echo $(( (board_left + pitch * ($1 % board_side)) / twips_per_pixel )); }
cell_y() { echo $(( (board_top + pitch * ($1 / board_side)) / twips_per_pixel )); }
# Where a cell's colour is read: high on its left, clear of the letter, of every state's mark
# (the miss's diagonal, the hint's dot top right, the found letter's underline, the dotted frame
# of a word not found) and, on row 2, of the panel that ends a round.
probe_dx=11
probe_dy=17
probe() { echo "$(( $(cell_x "$1") + probe_dx )) $(( $(cell_y "$1") + probe_dy ))"; }
# The bundled sets have themes, so the menu shows their row above the level buttons: everything
# below it stands theme_band twips lower, and the window is that much taller (8115 x 5070 twips
# without the row). menu_w x menu_h: the menu's size in pixels at the design's scale.
theme_band=1200
menu_w=541
menu_h=$(( (5070 + theme_band) / 15 ))
# The middle of the menu's play button, for a menu window whose left (play_x) or top (play_y) is $1
# and whose width or height is $2 (menu_w x menu_h unless given: the menu grows with large
# screens).
play_x() { echo $(( $1 + ${2:-$menu_w} * (120 + 1900) / 8115 )); }
play_y() { echo $(( $1 + ${2:-$menu_h} * (4200 + 360 + theme_band) / (5070 + theme_band) )); }

# The colours of all 144 cells of the last screenshot, one r,g,b line each, in one pass.
cell_colours() {
    local format="" cell
    for cell in $(seq 0 143); do
        local x=$(( $(cell_x $cell) + probe_dx )) y=$(( $(cell_y $cell) + probe_dy ))
        format+="%[fx:int(255*p{$x,$y}.r)],%[fx:int(255*p{$x,$y}.g)],%[fx:int(255*p{$x,$y}.b)]\n"
    done
    convert-im6.q16 "$work/shot.png" -format "$format" info:
}
reds() { cell_colours | grep -c '^255,0,0$'; }

# Clicks row by row until eight cells are red: the eighth miss ends the round.
lose_round() {
    local row column cell
    for row in $(seq 0 11); do
        for column in $(seq 0 11); do
            cell=$(( row * 12 + column ))
            xdotool mousemove $(( $(cell_x $cell) + 20 )) $(( $(cell_y $cell) + 20 )) click 1
            sleep 0.03
        done
        sleep 0.3
        shot
        [ "$(reds)" -ge 8 ] && return 0
    done
    return 1
}

# The score button's text, read by OCR inside its border (the button spans (7689, 644) to
# (12065, 1275) twips); only the characters a score can hold.
score_text() {
    convert-im6.q16 "$work/shot.png" -crop 280x34+518+47 +repage -resize 300% -colorspace Gray "$work/score.png"
    tesseract "$work/score.png" - --psm 7 -c tessedit_char_whitelist='0123456789de-%.,' 2>/dev/null | tr -d ' \n'
}
