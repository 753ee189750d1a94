#!/usr/bin/env bash
# Without a session bus (a kiosk log-in) the game starts no bus daemon and writes nothing under the
# home folder. Run under xvfb.sh: the D-Bus library only starts a daemon of its own with a display.
# Usage: no_session_bus.sh PLAY_DIR
set -uo pipefail
command -v dbus-launch >/dev/null || { echo "no session bus: dbus-launch missing, nothing to show"; exit 1; }
home=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$home" "$runtime"' EXIT
env -u DBUS_SESSION_BUS_ADDRESS HOME="$home" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb \
    "$1/tolvano" >/dev/null 2>&1 &
pid=$!
sleep 3
xdotool mousemove 512 384 click 1 # the level menu: a second window, and accessibility asked again
sleep 1
kill $pid
wait $pid 2>/dev/null
written=$(find "$home" -mindepth 1)
[ -z "$written" ] || { echo "FAIL: the game wrote under the home folder: $written"; exit 1; }
echo "no session bus: 1 passed, 0 failed"
