#!/usr/bin/env bash
# A screen reader's view of the real program: on a session bus of its own with the accessibility
# bus, the game is started to its game screen and accessibility.py reads and presses the letters.
# Usage: accessibility.sh PLAY_DIR   (run under xvfb.sh)
set -uo pipefail
play_dir=$1
source "$(dirname "$0")/session_bus.sh"
source "$(dirname "$0")/lib.sh"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$work/game/tolvano" 2>"$work/stderr" &
pid=$!
wait_for_splash || fail "no splash screen"
sleep 0.3
click $((W / 2)) $((H / 2)) 0.6
menu=$(menu_window 10)
[ -n "$menu" ] || fail "the level menu did not appear"
eval "$(xdotool getwindowgeometry --shell "$menu")"
click "$(play_x "$X" "$WIDTH")" "$(play_y "$Y" "$HEIGHT")" 1.5
/usr/bin/python3 "$(dirname "$0")/accessibility.py" || fail "the accessibility tree (stderr: $(tail -3 "$work/stderr"))"
