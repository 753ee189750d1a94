#!/usr/bin/env bash
# The grown-ups' corner on a real X server: a tap on the menu's gear opens nothing, holding it for
# two seconds opens the settings; English is chosen there, the window is left, and the menu the
# child sees says "Play" at once. The only file written is the user's own tolvano.conf.
# Usage: settings_path.sh PLAY_DIR   (the built program with its data folders beside it)
set -uo pipefail
play_dir=$1
source "$(dirname "$0")/lib.sh"
export XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
mkdir -p "$work/home"
before=$(cd "$work/game" && find . -type f -print0 | sort -z | xargs -0 md5sum)

settings_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
# The menu's play button read by OCR: its caption in the language in use.
play_text() {
    shot
    convert-im6.q16 "$work/shot.png" -crop "$(( $2 * 3855 / 8115 ))x$(( $3 * 735 / 5070 ))+$(( mx + $2 * 120 / 8115 ))+$(( my + $3 * 4200 / 5070 ))" \
        +repage -shave 6x6 -threshold 50% -colorspace Gray -resize 300% "$work/play.png"
    tesseract "$work/play.png" - --psm 7 2>/dev/null | tr -d ' \n'
}
keep() { [ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/$1.png"; return 0; }

QT_QPA_PLATFORM=xcb "$work/game/tolvano" &
pid=$!
wait_for_splash || fail "no splash screen in the middle of the screen"
sleep 0.3
click $((W / 2)) $((H / 2)) 0.5
menu=$(menu_window)
[ -n "$menu" ] || fail "the level menu did not appear"
sleep "$(awk 'BEGIN { print 0.6 }')" # past the menu's stray-click time
eval "$(xdotool getwindowgeometry --shell "$menu")"
mx=$X my=$Y mw=$WIDTH mh=$HEIGHT
[[ "$(play_text "$menu" "$mw" "$mh")" == *Jugar* ]] || fail "the menu does not say Jugar: $(play_text "$menu" "$mw" "$mh")"
# The gear: top left of the menu, 405 twips square from (120, 60), grown with the menu.
gx=$(( mx + mw * (120 + 202) / 8115 ))
gy=$(( my + mh * (60 + 202) / 5070 ))

# A tap opens nothing.
click "$gx" "$gy" 1
[ -z "$(settings_window Ajustes)" ] || fail "a tap on the gear opened the settings"

# Held for two seconds, it opens them.
xdotool mousemove "$gx" "$gy" mousedown 1
sleep 2.4
xdotool mouseup 1
window=""
for _ in $(seq 1 50); do
    window=$(settings_window Ajustes)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "holding the gear did not open the settings"
sleep 0.5
keep settings

# The language is the window's first control: English comes before Spanish in the list.
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --window "$window" Up
sleep 1
grep -q '^language=en$' "$XDG_CONFIG_HOME/tolvano/tolvano.conf" 2>/dev/null ||
    fail "choosing English did not write tolvano.conf: $(cat "$XDG_CONFIG_HOME/tolvano/tolvano.conf" 2>&1)"
[ -n "$(settings_window Settings)" ] || fail "the settings window did not turn English"
# Back to the game.
xdotool key --window "$(settings_window Settings)" Escape 2>/dev/null
sleep 1
[ -z "$(settings_window Settings)" ] || fail "the settings window did not close"
keep menu-english
[[ "$(play_text "$menu" "$mw" "$mh")" == *Play* ]] || fail "the menu does not say Play: $(play_text "$menu" "$mw" "$mh")"

kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=""
after=$(cd "$work/game" && find . -type f -print0 | sort -z | xargs -0 md5sum)
[ "$before" = "$after" ] || fail "the game changed its own folder"
written=$(cd "$work/home" && find . -type f | sort)
[ "$written" = "./config/tolvano/tolvano.conf" ] || fail "files written in the home: $written"
echo "settings path: ok"
