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
fail() { echo "FAIL: package: $*"; exit 1; }
# An ordinary account made for the test, marked so that a later run knows it from anyone else's.
user=tolvano-test
marker="tolvano package test"
people= # the account's home and runtime folders
ours() { [ "$(getent passwd "$user" | cut -d: -f5)" = "$marker" ]; }
remove_user() {
    # Whatever the account started (the speech server it spawned waits a few seconds for clients).
    for pid in $(pgrep -u "$user" 2>/dev/null); do kill "$pid" 2>/dev/null; done
    for _ in $(seq 1 50); do pgrep -u "$user" >/dev/null 2>&1 || break; sleep 0.1; done
    userdel "$user" >/dev/null 2>&1
}
cleanup() {
    ours && remove_user
    rm -rf "$work" ${people:+"$people"}
}
trap cleanup EXIT
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
    "$texts/activo.txt" "$texts/es/configuracion/idioma.txt" "$pictures/es/imagenes/animales/perro.png" \
    "$pictures/es/voces/perro.wav" "$pictures/en/imagenes/animals/dog.png" \
    /usr/share/games/tolvano/gifs/corre.gif /usr/share/man/man6/tolvano.6.gz \
    /usr/share/applications/org.tolvano.Tolvano.desktop; do
    [ -e "$file" ] || fail "$file is not installed"
done
# The package holds each picture's bytes once (the sets' originals are hard links of each other);
# the pictures root has copies of its own, which a teacher may replace one by one.
originals=/usr/share/games/tolvano/idiomas
[ "$(stat -c %i "$originals/es/imagenes/animales/perro.png")" = \
    "$(stat -c %i "$originals/en/imagenes/animals/dog.png")" ] || fail "the package holds dog.png twice"
[ "$(stat -c %h "$pictures/es/imagenes/animales/perro.png")" = 1 ] ||
    fail "the pictures root's perro.png is a link"
# The libraries the game opens late lie together in the one folder the program looks in, and the
# settings window's printing is a dependency of the package.
libraries=$(dpkg -L tolvano | grep -E '/tolvano/libtolvano-(media|settings)\.so$')
[ "$(echo "$libraries" | grep -c .)" = 2 ] &&
    [ "$(echo "$libraries" | sed 's,/[^/]*$,,' | sort -u | grep -c .)" = 1 ] ||
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

# A teacher without administrator rights, on an account of its own: a picture and its recording in
# the account's own folder, settings in its own tolvano.conf, the check and the sheets reading them,
# and nothing written anywhere but where the teacher put things.
if getent passwd "$user" >/dev/null; then
    ours || fail "an account named $user is there already, and not this test's"
    remove_user || fail "could not remove the account $user left from before"
fi
people=$(mktemp -d)
chmod 755 "$people"
home=$people/home
useradd --system --no-create-home --home-dir "$home" --shell /usr/sbin/nologin \
    --comment "$marker" "$user" || fail "useradd $user"
mkdir "$home" "$people/run" "$people/cache"
chown "$user:" "$home" "$people/run" "$people/cache"
chmod 700 "$home" "$people/run"
# The cache lies outside the home: the speech server logs there, and fonts may be cached there.
as_user() {
    runuser -u "$user" -- env HOME="$home" XDG_DATA_HOME="$home/.local/share" \
        XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$people/cache" \
        XDG_RUNTIME_DIR="$people/run" "$@"
}
mine=$home/.local/share/tolvano/idiomas/es
conf=$home/.config/tolvano/tolvano.conf
system() { find /etc/tolvano /var/lib/tolvano /usr -xdev -printf '%p %s %T@ %m %U\n' | sort; }
home_now() { find "$home" -mindepth 1 -printf '%P %s %T@\n' | sort; }
# What the test put in the home, after each time it puts something there.
put() { home_now >"$work/home.put"; }
# The home holds what the test put there and nothing else, but for the one file named ($1).
unchanged_home() {
    local changed
    changed=$(comm -3 <(home_now) "$work/home.put" | cut -d' ' -f1)
    [ "$changed" = "${1:-}" ] || fail "the programs wrote into the teacher's home: $changed"
}
user_check() { (cd / && as_user /usr/games/tolvano-check) >"$work/user-check.txt" 2>&1; }
settings() { { echo '[general]'; printf '%s\n' "$@"; } | as_user tee "$conf" >/dev/null && put; }
system >"$work/system.before"

as_user mkdir -p "$mine/imagenes" "$mine/voces" "${conf%/*}" &&
    as_user cp "$pictures/es/imagenes/animales/perro.png" "$mine/imagenes/mascota.png" &&
    as_user cp "$pictures/es/voces/perro.wav" "$mine/voces/mascota.wav" || fail "the teacher's picture"
put
user_check || { cat "$work/user-check.txt"; fail "the check is not ready with the teacher's picture"; }
grep -q '^Listo para jugar' "$work/user-check.txt" &&
    grep -Eq '^ +mascota\.png +MASCOTA +sí' "$work/user-check.txt" &&
    grep -Eq '^ +mascota\.png .*grabación' "$work/user-check.txt" ||
    { cat "$work/user-check.txt"; fail "the check did not take the teacher's picture and recording"; }
# Depends on how the check words where a picture comes from: here, the teacher's folder named.
grep -qF "$mine/imagenes" "$work/user-check.txt" ||
    { cat "$work/user-check.txt"; fail "the check did not say the picture is the teacher's own"; }
[ ! -e "$conf" ] || fail "the check wrote $conf"
unchanged_home

settings language=en
user_check && grep -q "^Pictures in $pictures/en/imagenes " "$work/user-check.txt" &&
    grep -q '"Play"' "$work/user-check.txt" ||
    { cat "$work/user-check.txt"; fail "tolvano.conf's English"; }
! grep -q mascota "$work/user-check.txt" ||
    { cat "$work/user-check.txt"; fail "the teacher's Spanish picture is in the English set"; }
unchanged_home

settings language=es voice=off
user_check && grep -q '"Jugar"' "$work/user-check.txt" &&
    grep -Eq '^Voz \(.*no: el juego no dice ninguna palabra\)' "$work/user-check.txt" ||
    { cat "$work/user-check.txt"; fail "the check did not turn the voice off by tolvano.conf"; }
# Depends on how the check words where the voice setting comes from: tolvano.conf on its line.
grep -Eq '^Voz \(.*tolvano\.conf' "$work/user-check.txt" ||
    { cat "$work/user-check.txt"; fail "the check did not say tolvano.conf turned the voice off"; }
unchanged_home

(cd "$home" && as_user /usr/games/tolvano-sheets --count 1 --seed 7 fichas.pdf) \
    >"$work/sheets.txt" 2>&1 || { cat "$work/sheets.txt"; fail "tolvano-sheets as the teacher"; }
[ "$(pdfinfo "$home/fichas.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] ||
    fail "the teacher's sheet is not two pages"
unchanged_home fichas.pdf
system >"$work/system.after"
cmp -s "$work/system.before" "$work/system.after" || fail "the teacher's programs changed the system's" \
    "folders: $(diff "$work/system.before" "$work/system.after" | head -n 5 | tr '\n' ' ')"
remove_user || fail "userdel $user"

# A teacher's edits: a text, a picture added where the README says, a bundled picture removed;
# files the package does not ship: a voice switch in every set, and a set of the school's own.
sed -i 's/^"Jugar"$/"A jugar"/' "$texts/es/configuracion/idioma.txt"
for set in "$texts"/*/; do echo grabaciones >"$set/configuracion/voz.txt"; done
cp -R "$texts/es" "$texts/fr" && cp -R "$pictures/es" "$pictures/fr"
cp "$pictures/es/imagenes/animales/perro.png" "$pictures/es/imagenes/cachorro.png"
rm "$pictures/es/imagenes/animales/gato.png"
# As an upgrade from flat picture folders finds them: our old sol.png (its old bytes), and luna.png
# as a teacher edited it, flat in imagenes/, with no themed copies yet.
cp tests/package/flat_sol.png "$pictures/es/imagenes/sol.png"
cp "$pictures/es/imagenes/animales/perro.png" "$pictures/es/imagenes/luna.png"
rm "$pictures/es/imagenes/naturaleza/sol.png" "$pictures/es/imagenes/naturaleza/luna.png"
apt-get install -y -qq -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
    "$second" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "the upgrade"; }
version=$(dpkg-query -W -f='${Version}' tolvano)
[ "$version" = "$(dpkg-deb -f "$second" Version)" ] || fail "the upgrade left version $version"
grep -q '^"A jugar"$' "$texts/es/configuracion/idioma.txt" || fail "the upgrade lost the edited text"
[ -f "$pictures/es/imagenes/cachorro.png" ] || fail "the upgrade lost the added picture"
[ ! -e "$pictures/es/imagenes/animales/gato.png" ] || fail "the upgrade put back a removed picture"
[ ! -e "$pictures/es/imagenes/sol.png" ] && [ -f "$pictures/es/imagenes/naturaleza/sol.png" ] ||
    fail "the upgrade did not put our old flat sol.png in its theme"
[ -f "$pictures/es/imagenes/luna.png" ] && [ ! -e "$pictures/es/imagenes/naturaleza/luna.png" ] ||
    fail "the upgrade did not keep the teacher's luna.png as the only luna"
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
