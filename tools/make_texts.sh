#!/usr/bin/env bash
# Writes the game's text files (button texts, clock speed, level descriptions) in Spanish and English.
# Usage: tools/make_texts.sh [ASSETS_DIR]   (default: the assets folder beside this script's folder)
# The files are UTF-8 with LF line ends. idioma.txt holds five quoted items, one a line:
# score's connecting word, play, exit, word-list button, hint caption. velocidad.txt holds the
# clock interval in milliseconds. nivel.txt holds one line per level, read as whole lines.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
assets=${1:-$here/../assets}
es=$assets/idiomas/es/configuracion
en=$assets/idiomas/en/configuracion
mkdir -p "$es" "$en"

cat > "$es/idioma.txt" <<'TEXT'
"de"
"Jugar"
"Salir"
"Mis palabras"
"Pistas"
TEXT

cat > "$es/nivel.txt" <<'TEXT'
Nivel 1: las palabras se leen de izquierda a derecha, como en un libro.
Nivel 2: las palabras van hacia la derecha o hacia abajo.
Nivel 3: ahora también van hacia la izquierda y hacia arriba.
Nivel 4: ¡llegan las diagonales! Las palabras también van en diagonal hacia la derecha.
Nivel 5: las palabras van en todas las direcciones. ¡Busca bien!
Nivel 6: las palabras van hacia atrás, hacia arriba y en diagonal. ¡Para expertos!
TEXT

cat > "$en/idioma.txt" <<'TEXT'
"of"
"Play"
"Exit"
"Found words"
"Hints"
TEXT

cat > "$en/nivel.txt" <<'TEXT'
Level 1: the words read from left to right, like in a book.
Level 2: the words go to the right or down.
Level 3: now they also go to the left and up.
Level 4: here come the diagonals! Words also go diagonally to the right.
Level 5: the words go in every direction. Look carefully!
Level 6: the words go backwards, upwards and diagonally. For experts!
TEXT

for dir in "$es" "$en"; do
    echo 300 > "$dir/velocidad.txt"
done
echo "make_texts: texts in $es and $en"
