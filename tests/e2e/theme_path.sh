#!/usr/bin/env bash
# A theme chosen in the level menu on a real X server: with the user's own pictures in two themes
# (and the game told to play those alone), a click on the fruit theme marks it, and the round that
# follows hides the six fruit words in its board and no animal's. The words are read from the
# letters a screen reader finds, row by row, at level 1, where every word reads left to right.
# Usage: theme_path.sh PLAY_DIR   (run under xvfb.sh)
set -uo pipefail
play_dir=$1
source "$(dirname "$0")/session_bus.sh"
source "$(dirname "$0")/lib.sh"
# The game's own folders, given to the game alone: the screen reader's side needs the session's.
XDG_CONFIG_HOME="$work/home/config"
XDG_DATA_HOME="$work/home/data"
mine="$XDG_DATA_HOME/tolvano/idiomas/es/imagenes"
fruits=(manzana pera fresa uvas naranja limón)
animals=(perro gato vaca cerdo oveja caballo)
mkdir -p "$mine/frutas" "$mine/animales" "$XDG_CONFIG_HOME/tolvano"
for name in "${fruits[@]}"; do cp "$work/game/idiomas/es/imagenes/comida/$name.png" "$mine/frutas/"; done
for name in "${animals[@]}"; do cp "$work/game/idiomas/es/imagenes/animales/$name.png" "$mine/animales/"; done
printf '[general]\npictures=mine\n' >"$XDG_CONFIG_HOME/tolvano/tolvano.conf"
settings_before=$(md5sum "$XDG_CONFIG_HOME/tolvano/tolvano.conf")

# What a screen reader finds: `where NAME` prints the middle of the menu's button of that name,
# `checked NAME` succeeds when it reports itself checked, `letters` prints the board's 144.
atspi() {
    /usr/bin/python3 - "$@" <<'PY'
import sys, time
import pyatspi

def descendants(node, depth=0):
    if node is None or depth > 9:
        return
    yield node
    for child in node:
        yield from descendants(child, depth + 1)

def buttons():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tolvano":
            return [n for window in app for n in descendants(window)
                    if n.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON)]
    return []

def named(name):
    found = [b for b in buttons() if b.name == name]
    return found[0] if found else None

command, end = sys.argv[1], time.time() + 20
while time.time() < end:
    if command == "letters":
        letters = [b.name for b in buttons() if len(b.name) == 1]
        if len(letters) == 144:
            print("".join(letters))
            sys.exit(0)
    else:
        button = named(sys.argv[2])
        if button is not None and command == "where":
            x, y, w, h = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(x + w // 2, y + h // 2)
            sys.exit(0)
        if button is not None and command == "checked":
            sys.exit(0 if button.getState().contains(pyatspi.STATE_CHECKED) else 1)
    time.sleep(0.3)
sys.exit(2)
PY
}

XDG_CONFIG_HOME="$XDG_CONFIG_HOME" XDG_DATA_HOME="$XDG_DATA_HOME" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    QT_QPA_PLATFORM=xcb "$work/game/tolvano" 2>"$work/stderr" &
pid=$!
wait_for_splash || fail "no splash screen"
sleep 0.3
click $((W / 2)) $((H / 2)) 0.6
menu=$(menu_window 10)
[ -n "$menu" ] || fail "the level menu did not appear"
sleep 0.6 # past the menu's stray-click time
atspi checked todas || fail "the menu's row does not start on all the pictures"
read -r fx fy < <(atspi where frutas) || fail "no theme button named frutas in the menu"
click "$fx" "$fy" 0.5
atspi checked frutas || fail "the clicked theme is not marked"
atspi checked todas && fail "all the pictures are still marked beside the theme"
read -r px py < <(atspi where Jugar) || fail "no play button"
click "$px" "$py" 1.5

letters=$(atspi letters) || fail "the game screen's 144 letters were not found"
rows=""
for row in $(seq 0 11); do rows+="${letters:$((row * 12)):12}|"; done
for name in "${fruits[@]}"; do
    word=${name^^}
    [[ "$rows" == *"$word"* ]] || fail "the fruit $word is not in the board: $rows"
done
for name in "${animals[@]}"; do
    word=${name^^}
    [[ "$rows" == *"$word"* ]] && fail "the animal $word is in a round of fruit: $rows"
done

kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=""
[ "$settings_before" = "$(md5sum "$XDG_CONFIG_HOME/tolvano/tolvano.conf")" ] ||
    fail "the game wrote its settings while a child played"
echo "theme path: ok"
