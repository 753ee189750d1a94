#!/usr/bin/env bash
# Runs a command on an X server of its own: xvfb.sh WIDTHxHEIGHT COMMAND [ARG...]
# Unlike xvfb-run -a, which takes the first display number without a lock file, Xvfb chooses a
# free number itself (-displayfd) and names it only once it accepts connections; and the server
# is waited for at the end, so that the next test never meets one still closing down on the same
# number (a client then reaches the old server's socket and loses its connection).
set -uo pipefail
size=$1
shift
dir=$(mktemp -d)
xpid=
finish() {
    if [ -n "$xpid" ]; then
        # It may take a second or two while its clients (a screen reader's bus) let go.
        kill "$xpid" 2>/dev/null
        for _ in $(seq 1 100); do
            kill -0 "$xpid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$xpid" 2>/dev/null
        wait "$xpid" 2>/dev/null
    fi
    rm -rf "$dir"
}
trap finish EXIT
trap 'exit 143' TERM INT

Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xpid=$!
for _ in $(seq 1 300); do
    [ -s "$dir/display" ] && break
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
done
display=$(tr -dc 0-9 <"$dir/display")
if [ -z "$display" ]; then
    echo "xvfb.sh: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi
# The server was started without an authority file, so it takes local clients as they come.
DISPLAY=:$display XAUTHORITY=/dev/null "$@"
