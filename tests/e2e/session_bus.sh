# Sourced first by the real-window tests that read the screen reader's tree: runs the sourcing
# script again inside a session bus of its own, which the accessibility bus then joins.
if [ -z "${ACCESSIBILITY_BUS_STARTED:-}" ]; then
    export ACCESSIBILITY_BUS_STARTED=1
    exec dbus-run-session -- "$0" "$@"
fi
