#!/usr/bin/env bash
# A round in each bundled language set on a real X server, the set chosen by the user's own
# tolvano.conf alone: the menu's play button carries the set's own caption, and a word found by
# clicking its letters on the board gets its caption as written, accents and all, even where the
# board shows its plain letters. Read and pressed the way a screen reader does it.
# Usage: languages.sh PLAY_DIR   (run under xvfb.sh)
set -uo pipefail
play_dir=$1
source "$(dirname "$0")/session_bus.sh"
source "$(dirname "$0")/lib.sh"
# activo.txt says Spanish (lib.sh): every other set is the user's settings winning over it.
sets=(es en fr pt it de ca)

# One round: `play PLAY_CAPTION SET_FOLDER LANGUAGE` presses the menu's button of that caption,
# finds on the board the longest of the set's words (its pictures' file names, upper-cased, as
# written or in plain letters), clicks its letters and waits for its caption to name it.
play() {
    /usr/bin/python3 - "$@" <<'PY'
import glob, os, subprocess, sys, time, unicodedata
import pyatspi

caption, folder, language = sys.argv[1:4]

def fail(why):
    print("FAIL: " + why)
    sys.exit(1)

def descendants(node, depth=0):
    if node is None or depth > 9:
        return
    yield node
    for child in node:
        yield from descendants(child, depth + 1)

def nodes(*roles):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tolvano":
            return [n for window in app for n in descendants(window) if n.getRole() in roles]
    return []

def wait_for(find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None

def click(node, pause=0.12):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"], check=True)
    time.sleep(pause)

buttons = lambda: nodes(pyatspi.ROLE_PUSH_BUTTON)
play = wait_for(lambda: [b for b in buttons() if b.name == caption])
if not play:
    fail("no menu button named %r: %r" % (caption, sorted({b.name for b in buttons()})))
click(play[0], 0.5)
letters = wait_for(lambda: [b for b in buttons() if len(b.name) == 1] if
                   len([b for b in buttons() if len(b.name) == 1]) == 144 else None)
if not letters:
    fail("the game screen's 144 letters were not found")

# The board's plain letters, as printed word searches have them: marks dropped but for the
# language's own letters, ß as SS, Œ and Æ split in French, the Catalan middle dot left out.
own = {"de": "ÄÖÜ", "es": "Ñ"}.get(language, "")
def plain(word):
    out = ""
    for c in word.replace("·", "").replace("Ŀ", "L"):
        if language == "fr" and c in "ŒÆ":
            out += {"Œ": "OE", "Æ": "AE"}[c]
        elif c in own:
            out += c
        else:
            out += "".join(p for p in unicodedata.normalize("NFD", c) if not unicodedata.combining(p))
    return unicodedata.normalize("NFC", out)

# At level 1 every word reads left to right along a row. A short word may also turn up by chance
# among the fillers, a word of five letters hardly: the round's word is the longest found, one the
# board spells otherwise than its caption first, when the round has one.
rows = ["".join(b.name for b in letters[r * 12:(r + 1) * 12]) for r in range(12)]
found = []
for path in glob.glob(os.path.join(folder, "imagenes", "*", "*.png")):
    word = unicodedata.normalize("NFC", os.path.splitext(os.path.basename(path))[0]).upper()
    for spelt in {word, plain(word)}:
        for r, row in enumerate(rows):
            if spelt in row:
                found.append((len(spelt) >= 5 and spelt != word, len(spelt), word, spelt,
                              r * 12 + row.find(spelt)))
if not found:
    fail("none of the set's words is on the board: %r" % rows)
_, _, word, spelt, start = max(found)
labels = lambda: [n.name for n in nodes(pyatspi.ROLE_LABEL)]
if word in labels():
    fail("a label names %s before it is found" % word)
# Past the board's stray-click time (a double-click's), which a slow build may not have left yet.
time.sleep(1)
for cell in range(start, start + len(spelt)):
    click(letters[cell], 0.25)
if not wait_for(lambda: word in labels(), 15):
    fail("no caption names %s (board %s) once found: %r" % (word, spelt, labels()))
print("%s: %s on the board as %s" % (language, word, spelt))
PY
}

for code in "${sets[@]}"; do
    started=$(date +%s%N)
    set_folder="$work/game/idiomas/$code"
    caption=$(sed -n 2p "$set_folder/configuracion/idioma.txt" | tr -d '\r')
    caption=${caption#\"}
    caption=${caption%\"}
    # The game's own folders, fresh for each set and given to the game alone: the screen reader's
    # side needs the session's.
    home="$work/home-$code"
    mkdir -p "$home/config/tolvano" "$home/data"
    printf '[general]\nlanguage=%s\n' "$code" >"$home/config/tolvano/tolvano.conf"
    settings_before=$(md5sum "$home/config/tolvano/tolvano.conf")

    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        QT_QPA_PLATFORM=xcb "$work/game/tolvano" 2>"$work/stderr-$code" &
    pid=$!
    wait_for_splash || fail "$code: no splash screen"
    sleep 0.3
    click $((W / 2)) $((H / 2)) 0.6
    [ -n "$(menu_window 10)" ] || fail "$code: the level menu did not appear"
    sleep 0.6 # past the menu's stray-click time
    play "$caption" "$set_folder" "$code" || fail "$code (stderr: $(tail -3 "$work/stderr-$code"))"

    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
    # The next splash is told by the screen's middle turning from the bare screen's black.
    for _ in $(seq 1 20); do
        shot
        [ "$(pixel $((W / 2)) $((H / 2)))" = "0,0,0" ] && break
        sleep 0.1
    done
    [ "$settings_before" = "$(md5sum "$home/config/tolvano/tolvano.conf")" ] ||
        fail "$code: the game wrote its settings while a child played"
    [ -z "$(find "$home/data" -mindepth 1 -print -quit)" ] || fail "$code: the game wrote into the data folder"
    echo "$code: $(( ($(date +%s%N) - started) / 1000000 )) ms"
done
echo "languages: ${#sets[@]} sets played"
