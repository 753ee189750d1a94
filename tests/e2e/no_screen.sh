#!/usr/bin/env bash
# Without a screen the program says so in one line and ends with status 1, never with a crash.
# Usage: no_screen.sh PLAY_DIR
set -uo pipefail
program="$1/tolvano"
err=$(mktemp)
trap 'rm -f "$err"' EXIT
check() { # what, then the environment to run in
    local what=$1; shift
    env "$@" timeout 20 "$program" 2>"$err" >/dev/null
    local status=$?
    [ $status -eq 1 ] || { echo "FAIL: $what: status $status"; cat "$err"; exit 1; }
    [ "$(wc -l <"$err")" -eq 1 ] && grep -q '^tolvano: no screen' "$err" ||
        { echo "FAIL: $what: stderr was"; cat "$err"; exit 1; }
}
check "no display" -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
check "a display that is not there" DISPLAY=:997 QT_QPA_PLATFORM=xcb
echo "no screen: 1 passed, 0 failed"
