#!/usr/bin/env bash
# How long the real program takes to end after a click on the game screen's exit button, in ms.
# Usage: exit_time.sh PLAY_DIR [RUNS]   Prints "exit: MEDIAN ms (RUNS runs)"; exits 2 when the game
# screen could not be reached. Starts its own X server when none is given in DISPLAY.
set -uo pipefail
play_dir=$(cd "$1" && pwd)
runs=${2:-5}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$play_dir" "$runs"
fi

pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null' EXIT
eval "$(xdotool getdisplaygeometry --shell)"
# The menu's geometry below sets WIDTH and HEIGHT again: keep the screen's.
screen_w=$WIDTH
screen_h=$HEIGHT
wait_for_menu() { xdotool search --sync --onlyvisible --name '^Tolvano 2\.0$' 2>/dev/null | head -1; }
times=()
for _ in $(seq "$runs"); do
    QT_QPA_PLATFORM=xcb "$play_dir/tolvano" >/dev/null 2>&1 &
    pid=$!
    sleep 2
    xdotool mousemove $((screen_w / 2)) $((screen_h / 2)) click 1
    menu=$(timeout 10 bash -c "$(declare -f wait_for_menu); wait_for_menu") || true
    [ -n "$menu" ] || { echo "exit: the level menu did not appear" >&2; exit 2; }
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    sleep 0.6 # the menu ignores clicks for a double-click's time after it opens
    # The play button: its middle 510 twips above the menu's bottom, whatever rows stand above.
    xdotool mousemove $((X + 2020 / 15)) $((Y + HEIGHT - 510 / 15)) click 1
    sleep 2 # the first round is on the screen
    xdotool mousemove $((screen_w - 20)) 20
    sleep 0.2
    start=$EPOCHREALTIME
    xdotool click 1
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.005
        awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { exit !(b - a > 10) }' && break
    done
    end=$EPOCHREALTIME
    kill -0 "$pid" 2>/dev/null && { echo "exit: the program did not end" >&2; exit 2; }
    pid=
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.0f", (b - a) * 1000 }')")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
echo "exit: $median ms ($runs runs)"
