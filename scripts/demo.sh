#!/usr/bin/env bash
# Builds SlidePub and installs a sample presentation in a sandbox product tree,
# against an embedded SQLite catalogue, then shows what happened.
#
#   scripts/demo.sh [SANDBOX]      (default: ./sandbox in the repository)
#
# Safe to run again: the sandbox is made anew on every run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sandbox=$(realpath -m "${1:-$root/sandbox}")
name=Rundgang
licence=12345
client=1

"$root/scripts/install-deps.sh"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target SlidePub_ODBC slidepub-settings ovsystem >/dev/null

# Only a folder this script made is ever removed.
if [ -e "$sandbox" ]; then
    if [ ! -e "$sandbox/.slidepub-demo" ]; then
        echo "$sandbox exists and is not a SlidePub demo sandbox; choose another folder." >&2
        exit 1
    fi
    rm -rf "$sandbox"
fi
base="$sandbox/product"
workdir="$base/Programme/SlidePub"
transfer="$base/Transfer/Vidazara Dirodav"
presentations="$base/Zusatzmodule/ExternePraesentationen"
mkdir -p "$workdir" "$transfer" "$presentations" "$base/cgi-bin" "$base/Files" \
    "$base/Orvantica_php/log" "$sandbox/odbc"
touch "$sandbox/.slidepub-demo"

# The installer and its archiver.
cp "$build/SlidePub_ODBC" "$workdir/"
ln -s /usr/bin/zip "$base/cgi-bin/zip"

# A sample web export (2003 layout) as an operator saves it.
fixture="$root/tests/fixtures/export-2003"
for file in "$fixture"/*; do
    target="$transfer/${name}$(basename "$file" | sed 's/^NAME//')"
    sed "s/@NAME@/$name/g" "$file" >"$target"
done
# The template of the preview picture: a 1x1 GIF.
printf 'GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;' \
    >"$presentations/_Eigene.gif"

# The embedded catalogue and its ODBC data source.
catalogue="$sandbox/catalogue.db"
sqlite3 "$catalogue" "CREATE TABLE O2006TrmDatei (
    TrdNam varchar(200), TrdTxt varchar(200), TrdArt int, TrdTyp smallint,
    TrdVer varchar(10), TrdTcn varchar(32), TrdLiz varchar(5), TrdMnd varchar(5),
    PRIMARY KEY (TrdNam, TrdTyp, TrdLiz, TrdMnd));"
cat >"$sandbox/odbc/odbcinst.ini" <<INI
[SQLite3]
Description=SQLite ODBC driver
Driver=$(find /usr/lib -name libsqlite3odbc.so | head -n 1)
INI
cat >"$sandbox/odbc/odbc.ini" <<INI
[SlidePubDemo]
Driver=SQLite3
Database=$catalogue
NoCreat=1
LoadExt=$build/tools/sqlite_catalogue/libovsystem.so
INI

# The product's settings file with the encrypted database login.
settings="$build/tools/settings/slidepub-settings"
for pair in LOGIN=demo PASS=geheim DB_SYSTEM=SQLite DATABASE=SlidePubDemo; do
    "$settings" set "$base/Files/Orvantica.Ini" "${pair%%=*}" "${pair#*=}"
done

echo "== Sandbox: $sandbox"
echo "== Running in $workdir:"
echo "   SlidePub_ODBC operator $name $licence $client /D"
set +e
(cd "$workdir" && ODBCSYSINI="$sandbox/odbc" ODBCINI="$sandbox/odbc/odbc.ini" \
    ./SlidePub_ODBC operator "$name" "$licence" "$client" /D)
status=$?
set -e
echo "== Exit code: $status"
echo
echo "== Run log (Orvantica_php/log/SlidePublishLog.txt, shown as UTF-8):"
iconv -f WINDOWS-1252 -t UTF-8 "$base/Orvantica_php/log/SlidePublishLog.txt" | tr -d '\r'
echo
echo "== Archive members ($name.exc):"
unzip -Z1 "$presentations/$name.exc"
echo
echo "== Catalogue row:"
sqlite3 -header -column "$catalogue" "SELECT * FROM O2006TrmDatei"
echo
echo "== Fingerprint recomputed by hand (MD5 of the lower-cased archive name, then its bytes):"
{ printf '%s' "$(echo "$name.exc" | tr 'A-Z' 'a-z')"; cat "$presentations/$name.exc"; } |
    md5sum | cut -c1-32 | tr 'a-f' 'A-F'
echo
echo "== Presentations folder:"
ls -l "$presentations"
echo
echo "== Left in the transfer folder:"
ls -A "$transfer"
exit "$status"
