#!/usr/bin/env bash
# Installs the game into a temporary prefix, checks its desktop entry and metainfo, and starts the
# installed launcher from another directory on a real X server: the splash must appear.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$prefix"' EXIT
pid=
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
[ -x "$prefix/bin/tolvano" ] || fail "no launcher in bin/"
for folder in gifs sonidos idiomas/es/configuracion idiomas/es/imagenes idiomas/en/configuracion \
    idiomas/en/imagenes; do
    [ -d "$prefix/lib/tolvano/$folder" ] || fail "no $folder beside the installed program"
done
[ -f "$prefix/lib/tolvano/idiomas/activo.txt" ] || fail "no language chosen in the installed copy"
for sound in acierto error final perdida; do
    [ -f "$prefix/lib/tolvano/sonidos/$sound.wav" ] || fail "no sonidos/$sound.wav installed"
done
# Each set's pictures in their themes, made from the store as copies of their own: a teacher who
# replaces perro.png there does not change the English dog.png.
for picture in es/imagenes/animales/perro.png en/imagenes/animals/dog.png; do
    [ -f "$prefix/lib/tolvano/idiomas/$picture" ] || fail "no $picture installed"
    [ "$(stat -c %h "$prefix/lib/tolvano/idiomas/$picture")" = 1 ] || fail "$picture is a link"
done
[ -z "$(find "$prefix/lib/tolvano" -name nombres.tsv)" ] || fail "a names table was installed"
desktop-file-validate "$prefix/share/applications/org.tolvano.Tolvano.desktop" || fail "desktop entry"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.tolvano.Tolvano.metainfo.xml" >/dev/null ||
        appstreamcli validate --no-net "$prefix/share/metainfo/org.tolvano.Tolvano.metainfo.xml" || fail "metainfo"
fi

cd /
QT_QPA_PLATFORM=xcb "$prefix/bin/tolvano" &
pid=$!
sleep 2
kill -0 $pid 2>/dev/null || fail "the installed program did not start"
import -window root "$prefix/shot.png"
centre=$(convert-im6.q16 "$prefix/shot.png" -format '%[fx:int(255*p{512,384}.r)],%[fx:int(255*p{512,384}.g)],%[fx:int(255*p{512,384}.b)]' info:)
[ "$centre" != "0,0,0" ] || fail "no splash on the screen"
echo "install: 1 passed, 0 failed"
