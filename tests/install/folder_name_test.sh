#!/usr/bin/env bash
# The play folder unpacked under a name that is not UTF-8, as an old archive gives it (Latin-1
# "Juegos\xF1o"): the game and tolvano-check run there must find that folder's pictures, texts and
# media, through a link from elsewhere too, and the check must name the folder as it is.
# Usage: folder_name_test.sh PLAY_DIR FIRST_ROUND
set -uo pipefail
play=$1
first_round=$2
work=$(cd "$(mktemp -d)" && pwd -P) # the real path, which the program finds for itself
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
checks=0
passed() { checks=$((checks + 1)); }

folder="$work/Juegos"$'\xf1'"o"
shown="$work/Juegos\\361o" # as the report escapes it
cp -r "$play" "$folder" || fail "copying the play folder"
cp "$first_round" "$folder/first_round" || fail "copying first_round"
mkdir "$work/bin"
ln -s "$folder/tolvano-check" "$work/bin/tolvano-check"
cd "$work" || fail "cd"

check_is_ready() { # WHAT, then the command
    local what=$1
    shift
    "$@" >"$work/report" 2>&1
    local status=$?
    [ $status -eq 0 ] && [ "$(tail -n 1 "$work/report")" = "Listo para jugar." ] ||
        { cat "$work/report"; fail "$what: status $status, not ready"; }
    grep -qxF "Revisando $shown" "$work/report" ||
        { head -n 1 "$work/report"; fail "$what: the folder is not named $shown"; }
    passed
}
check_is_ready "the check beside its folders" "$folder/tolvano-check"
check_is_ready "the check through a link" "$work/bin/tolvano-check"
check_is_ready "the check given the folder" "$work/bin/tolvano-check" "$folder"

# The first round as the play button sets it up: six pictures of the folder, each shown.
"$folder/first_round" >"$work/round" 2>"$work/round.err" ||
    { cat "$work/round.err"; fail "first_round ended with an error"; }
! grep -q "no usable pictures" "$work/round.err" || fail "$(cat "$work/round.err")"
[ "$(wc -l <"$work/round")" -eq 6 ] || { cat "$work/round"; fail "the round has not six pictures"; }
while IFS=$'\t' read -r file word state; do
    [ "$state" = shown ] || fail "$file ($word) did not show"
done <"$work/round"
passed

# The game itself starts there and is still running when stopped.
QT_QPA_PLATFORM=offscreen timeout 2 "$folder/tolvano" >/dev/null 2>"$work/game.err"
status=$?
[ $status -eq 124 ] || { cat "$work/game.err"; fail "the game ended with status $status"; }
passed
echo "folder name: $checks passed, 0 failed"
