#!/usr/bin/env bash
# The Debian package as a school's technician meets it: install, play, switch the language, a
# teacher's edits and pictures, an upgrade that keeps them, removal, purge, and the machine as before.
# Needs root (it installs packages); run by scripts/test after the other tests.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
if [ "$(id -u)" -ne 0 ]; then
    echo "package: SKIPPED, the install test needs root (it installs and removes the package);" \
        "scripts/package alone builds and checks it"
    exit 0
fi
export DEBIAN_FRONTEND=noninteractive
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work # as a desktop session gives the programs
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: package: $*"; exit 1; }
texts=/etc/tolvano/idiomas
pictures=/var/lib/tolvano/idiomas
packages() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^.i/ {print $2}' | sort; }

if dpkg-query -W -f='${Status}' tolvano 2>/dev/null | grep -Eq ' (installed|config-files)$'; then
    echo "package: purging a tolvano package left from before"
    apt-get purge -y -qq tolvano >/dev/null || fail "could not purge the tolvano installed before"
fi
scripts/package --next-version "$work/next" || fail "scripts/package"
first=$(ls dist/tolvano_*.deb)
second=$(ls "$work"/next/tolvano_*.deb)
packages >"$work/before"

# Install: the dependencies come from the archive when they are missing.
apt-get install -y -qq "./$first" >"$work/apt.log" 2>&1 ||
    { apt-get update -qq && apt-get install -y -qq "./$first" >"$work/apt.log" 2>&1; } ||
    { cat "$work/apt.log"; fail "apt-get install ./$first"; }
for file in /usr/games/tolvano /usr/games/tolvano-check /usr/games/tolvano-sheets \
    "$texts/activo.txt" "$texts/es/configuracion/idioma.txt" "$pictures/es/imagenes/perro.png" \
    "$pictures/es/voces/perro.wav" "$pictures/en/imagenes/dog.png" \
    /usr/share/games/tolvano/gifs/corre.gif /usr/share/man/man6/tolvano.6.gz \
    /usr/share/applications/org.tolvano.Tolvano.desktop; do
    [ -e "$file" ] || fail "$file is not installed"
done
# The libraries the game opens late lie together in the one folder the program looks in, and the
# settings window's printing is a dependency of the package.
libraries=$(dpkg -L tolvano | grep -E '/tolvano/libtolvano-(media|settings)\.so$')
[ "$(echo "$libraries" | grep -c .)" = 2 ] && [ "$(echo "$libraries" | sed 's,/[^/]*$,,' | sort -u | grep -c .)" = 1 ] ||
    fail "the media and settings libraries are not installed side by side: $libraries"
dpkg-query -W -f='${Depends}\n' tolvano | grep -q 'libqt6printsupport6' ||
    fail "the package does not depend on Qt's print support"
desktop-file-validate /usr/share/applications/org.tolvano.Tolvano.desktop || fail "the desktop entry"
appstreamcli validate --no-net /usr/share/metainfo/org.tolvano.Tolvano.metainfo.xml >/dev/null ||
    fail "the metainfo"
dpkg-query -W -f='${Conffiles}\n' tolvano | grep -q "$texts/es/configuracion/idioma.txt" ||
    fail "the texts are not configuration files"

check() { (cd / && /usr/games/tolvano-check) >"$work/check.txt" 2>&1; }
check || { cat "$work/check.txt"; fail "the installed tolvano-check is not ready"; }
# The installed set is Spanish, and so is its report.
grep -q '^Listo para jugar\.$' "$work/check.txt" || { cat "$work/check.txt"; fail "no \"Listo para jugar.\""; }
grep -q "^Imágenes en $pictures/es/imagenes " "$work/check.txt" ||
    { cat "$work/check.txt"; fail "the check did not read the installed pictures"; }

# The game from the menu's command, on a real X server, until its splash shows.
# shellcheck disable=SC2016 # the script is expanded by its own shell
"$(dirname "$0")/../e2e/xvfb.sh" 1024x768 bash -c '
    cd /
    /usr/games/tolvano & game=$!
    for try in $(seq 1 50); do
        import -window root "$0/splash.png" 2>/dev/null
        [ "$(convert-im6.q16 "$0/splash.png" -format "%[fx:int(255*p{512,384}.r)]" info:)" != 0 ] && break
        sleep 0.2
    done
    kill -0 $game 2>/dev/null && kill $game' "$work" || fail "the installed game showed no splash"
[ "$(convert-im6.q16 "$work/splash.png" -format '%[fx:int(255*p{512,384}.r)]' info:)" != 0 ] ||
    fail "the installed game showed no splash"

(cd "$work" && /usr/games/tolvano-sheets --count 1 --seed 7 sheet.pdf) || fail "tolvano-sheets"
[ "$(pdfinfo "$work/sheet.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "a sheet is not two pages"

# The language switch, and back.
echo en >"$texts/activo.txt"
check && grep -q "^Pictures in $pictures/en/imagenes " "$work/check.txt" &&
    grep -q '"Play"' "$work/check.txt" || { cat "$work/check.txt"; fail "no switch to English"; }
echo es >"$texts/activo.txt"
check && grep -q '"Jugar"' "$work/check.txt" || fail "no switch back to Spanish"

# A teacher's edits: a text, a picture added where the README says, a bundled picture removed;
# files the package does not ship: a voice switch in every set, and a set of the school's own.
sed -i 's/^"Jugar"$/"A jugar"/' "$texts/es/configuracion/idioma.txt"
for set in "$texts"/*/; do echo grabaciones >"$set/configuracion/voz.txt"; done
cp -R "$texts/es" "$texts/fr" && cp -R "$pictures/es" "$pictures/fr"
cp "$pictures/es/imagenes/perro.png" "$pictures/es/imagenes/cachorro.png"
rm "$pictures/es/imagenes/gato.png"
apt-get install -y -qq -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
    "$second" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "the upgrade"; }
version=$(dpkg-query -W -f='${Version}' tolvano)
[ "$version" = "$(dpkg-deb -f "$second" Version)" ] || fail "the upgrade left version $version"
grep -q '^"A jugar"$' "$texts/es/configuracion/idioma.txt" || fail "the upgrade lost the edited text"
[ -f "$pictures/es/imagenes/cachorro.png" ] || fail "the upgrade lost the added picture"
[ ! -e "$pictures/es/imagenes/gato.png" ] || fail "the upgrade put back a removed picture"
check; grep -q '"A jugar"' "$work/check.txt" && grep -Eq '^ +cachorro\.png +CACHORRO +sí' "$work/check.txt" ||
    { cat "$work/check.txt"; fail "the upgraded game does not show the teacher's text and picture"; }
grep -Eq 'voz\.txt: (recordings only|solo grabaciones)\)' "$work/check.txt" ||
    { cat "$work/check.txt"; fail "the upgraded game does not read the teacher's voice switch"; }
[ -f "$texts/fr/configuracion/voz.txt" ] && [ -d "$pictures/fr/imagenes" ] ||
    fail "the upgrade lost the school's own set"

apt-get remove -y -qq tolvano >/dev/null || fail "apt-get remove"
[ ! -e /usr/games/tolvano ] || fail "the game stayed after its removal"
[ -f "$pictures/es/imagenes/cachorro.png" ] || fail "the removal lost the teacher's picture"
[ -f "$texts/es/configuracion/voz.txt" ] || fail "the removal lost the teacher's voice switch"
apt-get purge -y -qq tolvano >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get purge"; }
# Nothing at all, not a file and not an empty folder, of the texts, the sets or the pictures.
left=$(find /etc/tolvano /var/lib/tolvano 2>/dev/null)
[ -z "$left" ] || fail "the purge left $(echo "$left" | tr '\n' ' ')"

# The dependencies it pulled in go too, so the machine is as before.
packages >"$work/after"
pulled=$(comm -13 "$work/before" "$work/after")
if [ -n "$pulled" ]; then
    # shellcheck disable=SC2086 # one package name a word
    apt-get purge -y -qq $pulled >/dev/null || fail "could not remove $pulled"
    packages >"$work/after"
fi
cmp -s "$work/before" "$work/after" || fail "the machine's packages changed: $(diff "$work/before" "$work/after" | tr '\n' ' ')"
echo "package: installed, played, switched, upgraded keeping a teacher's text and pictures," \
    "removed and purged $first; $(echo "$pulled" | grep -c .) dependencies pulled in and removed again"
