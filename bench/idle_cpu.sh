#!/usr/bin/env bash
# CPU of the real program while a round runs untouched: the share of one core over 30 s.
# Usage: idle_cpu.sh PLAY_DIR [SECONDS]   (the built program with its data folders beside it)
# Starts its own X server (xvfb-run, 1024x768x24) when none is given in DISPLAY. Prints the
# figure; exits 1 when it is above the target, 2 when the game screen could not be reached.
set -uo pipefail
play_dir=$(cd "$1" && pwd)
seconds=${2:-30}
target=3

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$play_dir" "$seconds"
fi

pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null' EXIT
click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.2}"; }
wait_for_menu() { xdotool search --sync --onlyvisible --name '^Tolvano 2\.0$' 2>/dev/null | head -1; }
# utime + stime of every thread of the process, in clock ticks. The name in field 2 may hold
# spaces, so the fields are counted from its closing parenthesis.
cpu_ticks() { sed 's/.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }

QT_QPA_PLATFORM=xcb "$play_dir/tolvano" &
pid=$!
sleep 2
# The splash leads to the level menu, whose play button opens the game screen on level 1.
eval "$(xdotool getdisplaygeometry --shell)"
click $((WIDTH / 2)) $((HEIGHT / 2)) 0.5
menu=$(timeout 10 bash -c "$(declare -f wait_for_menu); wait_for_menu") || true
if [ -z "$menu" ]; then
    echo "idle CPU: the level menu did not appear" >&2
    exit 2
fi
eval "$(xdotool getwindowgeometry --shell "$menu")"
# The play button: its middle 510 twips above the menu's bottom, whatever rows stand above.
click $((X + (120 + 1900) / 15)) $((Y + HEIGHT - 510 / 15)) 0.5
# The first round's set-up and first paint are over well within this.
sleep 3
if ! kill -0 "$pid" 2>/dev/null || xdotool search --onlyvisible --name '^Tolvano 2\.0$' >/dev/null; then
    echo "idle CPU: the game screen did not come up" >&2
    exit 2
fi

# The pointer is moved off the board so that no hover effect runs during the measurement.
xdotool mousemove 0 $((HEIGHT - 1))
hz=$(getconf CLK_TCK)
before=$(cpu_ticks)
start=$(date +%s%N)
sleep "$seconds"
after=$(cpu_ticks)
end=$(date +%s%N)
percent=$(awk -v t=$((after - before)) -v hz="$hz" -v ns=$((end - start)) \
    'BEGIN { printf "%.2f", 100 * (t / hz) / (ns / 1e9) }')
echo "idle CPU: $percent % of one core over ${seconds} s (target <= $target %)"
awk -v p="$percent" -v t="$target" 'BEGIN { exit !(p <= t) }'
