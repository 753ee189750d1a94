#!/usr/bin/env bash
# Switches the language from Spanish to English and back where a teacher does it: in a copy of the
# built play folder, with the build's asset copy run over it again, and in an installed copy,
# installed twice, the second time as an upgrade. The choice must survive the copy and the upgrade,
# the picture the teacher added to each set must survive everything, and rounds must play in the
# chosen language with every picture shown.
# Usage: language_switch_test.sh BUILD_DIR SOURCE_DIR PLAY_ROUNDS
set -uo pipefail
build=$1
src=$2
play_rounds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
checks=0
passed() { checks=$((checks + 1)); }

copy_assets() { cmake -DASSETS="$src/assets" -DPLAY="$1" -P "$src/app/play_assets.cmake" >/dev/null; }
switch_to() { echo "$2" >"$1/idiomas/activo.txt"; }
chosen() { cat "$1/idiomas/activo.txt"; }

# Words that no bundled set has, so that only the teacher's file can give them.
add_teacher_pictures() {
    cp "$src/assets/pictures/animals/cat.png" "$1/idiomas/es/imagenes/maestra.png"
    cp "$src/assets/pictures/animals/cat.png" "$1/idiomas/en/imagenes/teacher.png"
}

# Plays enough rounds for every picture of the set to be offered: each comes from the set's
# picture folder and shows, the captions are the set's, and the teacher's picture comes up too.
# The chooser gives up looking for an unused picture after 100 draws, so with about 370 pictures
# the last few unused ones can be passed over for a few rounds (the last six each time about one
# in five): ten rounds more than a full pass leave the teacher's picture out about once in 10^7.
plays_in() { # FOLDER SET WORD_LIST_CAPTION TEACHER_PICTURE
    local folder=$1 set=$2 caption=$3 extra=$4
    local pictures="$folder/idiomas/$set/imagenes" count
    count=$(find "$pictures" -maxdepth 2 -type f | wc -l)
    "$play_rounds" "$folder" $((count / 6 + 10)) >"$work/rounds" 2>"$work/rounds.err" ||
        { cat "$work/rounds.err"; fail "$folder: the rounds did not play"; }
    grep -qx "word list	$caption" "$work/rounds" ||
        fail "$folder: the word-list button is not \"$caption\": $(head -n 1 "$work/rounds")"
    local file word shown
    while IFS=$'\t' read -r file word shown; do
        [ -f "$pictures/$file" ] || fail "$folder: $file ($word) is not in idiomas/$set/imagenes"
        [ "$shown" = shown ] || fail "$folder: $file did not show"
    done < <(tail -n +2 "$work/rounds")
    grep -q "^$extra	" "$work/rounds" || fail "$folder: the teacher's $extra was never offered"
    passed
}

# --- The play folder of the source tree ---
play="$work/play"
cp -r "$build/play" "$play"
switch_to "$play" es # the build folder may have been switched by whoever built it
add_teacher_pictures "$play"
plays_in "$play" es "Mis palabras" maestra.png
switch_to "$play" en
copy_assets "$play" || fail "the asset copy failed"
[ "$(chosen "$play")" = en ] || fail "the asset copy put back activo.txt"
plays_in "$play" en "Found words" teacher.png
switch_to "$play" es
plays_in "$play" es "Mis palabras" maestra.png

# A play folder built before language sets, with a picture bundled then (flat, its old bytes):
# its folders become the Spanish set, once, and the old picture gives way to the themed one.
old="$work/old-play"
mkdir -p "$old/imagenes"
cp -r "$src/assets/gifs" "$src/assets/sonidos" "$src/assets/idiomas/es/configuracion" "$old/"
cp "$src/tests/package/flat_sol.png" "$old/imagenes/sol.png"
cp "$src/assets/pictures/animals/cat.png" "$old/imagenes/maestra.png"
copy_assets "$old" || fail "the asset copy over an old play folder failed"
[ ! -e "$old/imagenes" ] && [ ! -e "$old/configuracion" ] || fail "the old folders are still there"
[ ! -e "$old/idiomas/es/imagenes/sol.png" ] && [ -f "$old/idiomas/es/imagenes/naturaleza/sol.png" ] ||
    fail "the old flat sol.png did not give way to the themed one"
[ "$(chosen "$old")" = es ] || fail "an old play folder did not get Spanish as its choice"
mkdir -p "$old/idiomas/en/imagenes" # the English set has no teacher picture here
cp "$src/assets/pictures/animals/cat.png" "$old/idiomas/en/imagenes/teacher.png"
plays_in "$old" es "Mis palabras" maestra.png
switch_to "$old" en
plays_in "$old" en "Found words" teacher.png

# --- An installed copy, then an upgrade over it ---
prefix="$work/prefix"
game="$prefix/lib/tolvano"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
[ "$(chosen "$game")" = es ] || fail "a new install does not start in Spanish"
add_teacher_pictures "$game"
switch_to "$game" en
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install over an install"
[ "$(chosen "$game")" = en ] || fail "the upgrade put back activo.txt"
plays_in "$game" en "Found words" teacher.png
"$prefix/bin/tolvano-check" >"$work/check" 2>&1 || { cat "$work/check"; fail "tolvano-check: not ready"; }
grep -q "idiomas/en/imagenes" "$work/check" && grep -q "teacher.png" "$work/check" ||
    { cat "$work/check"; fail "tolvano-check did not check the English pictures"; }
passed
switch_to "$game" es
plays_in "$game" es "Mis palabras" maestra.png
[ -f "$game/idiomas/en/imagenes/teacher.png" ] || fail "the English teacher picture is gone"
echo "language switch: $checks passed, 0 failed"
