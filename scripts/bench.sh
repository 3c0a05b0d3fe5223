#!/usr/bin/env bash
# Measures SlidePub in a Release build of its own and prints a short table:
#   1. fingerprint rate against `openssl md5` on the same 1 GiB file;
#   2. a whole installation of a large 2000-layout export (about 100 MB in
#      320 slide and image files) against the embedded SQLite catalogue,
#      against the same work done by hand: `zip -q -m` of the same files and
#      `md5sum` of the archive, on an identical copy;
#   3. the installer's own peak resident size for a 1 MB and a 1 GiB archive;
#   4. the export preparation on player scripts of 5, 25 and 50 MB.
# Timed runs alternate between the two sides, warm cache, and the medians of
# several rounds are compared. Nothing here passes or fails on a time: the
# script exits 0 unless something could not be run at all.
#
#   scripts/bench.sh            (rounds: SLIDEPUB_BENCH_ROUNDS, default 5)
#
# Data goes to a scratch folder (SLIDEPUB_BENCH_DIR, default build-bench/data),
# about 3.5 GB at the peak, removed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

rounds=${SLIDEPUB_BENCH_ROUNDS:-5}
build=${SLIDEPUB_BENCH_BUILD_DIR:-build-bench}
data=$(realpath -m "${SLIDEPUB_BENCH_DIR:-$build/data}")
export LC_ALL=C

scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSLIDEPUB_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target SlidePub_ODBC slidepub-settings ovsystem \
    slidepub-bench-fingerprint slidepub-bench-prepare slidepub-peak-memory >/dev/null
installer=$root/$build/SlidePub_ODBC
bench_tools=$root/$build/tools/bench

rm -rf "$data"
mkdir -p "$data"
trap 'rm -rf "$data"' EXIT

# Wall time of a command in seconds; its output is dropped.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { printf "%.4f\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a / b }'
}

rate() { # megabytes (10^6 bytes) per second
    awk -v bytes="$1" -v s="$2" 'BEGIN { printf "%.0f\n", bytes / 1e6 / s }'
}

random_file() { # PATH BYTES
    head -c "$2" /dev/urandom >"$1"
}

report=()
line() { report+=("$(printf "$@")"); }

# --- 1. Fingerprint against openssl md5 -------------------------------------
echo "== 1. Fingerprint of a 1 GiB file ($rounds rounds)" >&2
gib=$((1024 * 1024 * 1024))
archive=$data/Bench.exc
random_file "$archive" "$gib"
cat "$archive" >/dev/null
expected=$({ printf 'bench.exc'; cat "$archive"; } | openssl md5 -r | cut -c1-32 | tr a-f A-F)
got=$("$bench_tools/slidepub-bench-fingerprint" "$archive" | head -n 1)
if [ "$got" != "$expected" ]; then
    echo "fingerprint $got differs from the MD5 of name and bytes, $expected" >&2
    exit 1
fi
ours=() theirs=()
for _ in $(seq "$rounds"); do
    ours+=("$(seconds "$bench_tools/slidepub-bench-fingerprint" "$archive")")
    theirs+=("$(seconds openssl md5 "$archive")")
done
ours_median=$(printf '%s\n' "${ours[@]}" | median)
theirs_median=$(printf '%s\n' "${theirs[@]}" | median)
line '%-44s %9s %9s %7s' "measurement" "SlidePub" "baseline" "ratio"
line '%-44s %9s %9s %7s' "fingerprint 1 GiB, MB/s (vs openssl md5)" \
    "$(rate $gib "$ours_median")" "$(rate $gib "$theirs_median")" \
    "$(ratio "$theirs_median" "$ours_median")"
rm -f "$archive"

# --- A product tree with the embedded catalogue -----------------------------
base=$data/product
workdir=$base/Programme/SlidePub
transfer="$base/Transfer/Vidazara Dirodav"
presentations=$base/Zusatzmodule/ExternePraesentationen
mkdir -p "$workdir" "$transfer" "$presentations" "$base/cgi-bin" "$base/Files" \
    "$base/Orvantica_php/log" "$data/odbc"
ln -s /usr/bin/zip "$base/cgi-bin/zip"
printf 'GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00;' >"$presentations/_Eigene.gif"
catalogue=$data/catalogue.db
sqlite3 "$catalogue" "CREATE TABLE O2006TrmDatei (
    TrdNam varchar(200), TrdTxt varchar(200), TrdArt int, TrdTyp smallint,
    TrdVer varchar(10), TrdTcn varchar(32), TrdLiz varchar(5), TrdMnd varchar(5),
    PRIMARY KEY (TrdNam, TrdTyp, TrdLiz, TrdMnd));"
cat >"$data/odbc/odbcinst.ini" <<INI
[SQLite3]
Driver=$(find /usr/lib -name libsqlite3odbc.so | head -n 1)
INI
cat >"$data/odbc/odbc.ini" <<INI
[SlidePubBench]
Driver=SQLite3
Database=$catalogue
NoCreat=1
LoadExt=$root/$build/tools/sqlite_catalogue/libovsystem.so
INI
export ODBCSYSINI=$data/odbc ODBCINI=$data/odbc/odbc.ini
for pair in LOGIN=bench PASS=bench DB_SYSTEM=SQLite DATABASE=SlidePubBench; do
    "$build/tools/settings/slidepub-settings" set "$base/Files/Orvantica.Ini" \
        "${pair%%=*}" "${pair#*=}" >/dev/null
done

# A 2000-layout export: the main page and NAME-Dateien with the player
# script, slides (text) and images (incompressible, as JPEGs are).
make_export() { # FOLDER NAME SLIDES IMAGE_BYTES
    local folder=$1 name=$2 slides=$3 image_bytes=$4 i
    mkdir -p "$folder/$name-Dateien"
    sed "s/@NAME@/$name/g" tests/fixtures/export-2000/NAME.htm >"$folder/$name.htm"
    for file in tests/fixtures/export-2000/NAME-Dateien/*; do
        sed "s/@NAME@/$name/g" "$file" >"$folder/$name-Dateien/$(basename "$file")"
    done
    for i in $(seq -f '%04g' "$slides"); do
        for _ in $(seq 40); do
            printf '<p class=T%s>Folie %s: Zeit und Leistung, Woche f\xfcr Woche</p>\r\n' "$i" "$i"
        done >"$folder/$name-Dateien/slide$i.htm"
        random_file "$folder/$name-Dateien/image$i.jpg" "$image_bytes"
    done
}

reset_installation() { # NAME
    rm -f "$presentations/$1.exc" "$presentations/$1.gif"
    sqlite3 "$catalogue" "DELETE FROM O2006TrmDatei"
}

install() { # NAME
    (cd "$workdir" && "$installer" operator "$1" 12345 1)
}

# --- 2. Whole installation against zip and md5sum by hand -------------------
echo "== 2. Whole installation of a 100 MB export ($rounds rounds)" >&2
name=Bench2000
source_export=$data/export
make_export "$source_export" "$name" 160 600000
files=$(find "$source_export" -type f | wc -l)
megabytes=$(du -sm --apparent-size "$source_export" | cut -f1)

baseline=$data/baseline
mkdir -p "$baseline/transfer" "$baseline/archives"
# The launcher page and the descriptor, as the installer writes them, belong
# to the files packed by hand as well.
reset_installation "$name"
cp -a "$source_export/." "$transfer/"
install "$name" >/dev/null
unzip -p "$presentations/$name.exc" start.html >"$data/start.html"
unzip -p "$presentations/$name.exc" ExtPres.Orv >"$data/ExtPres.Orv"

by_hand() {
    (cd "$baseline/transfer" &&
        zip -q -m "../archives/$name.exc" start.html ExtPres.Orv "$name.htm" "$name-Dateien"/* &&
        rmdir "$name-Dateien" && md5sum "../archives/$name.exc")
}

ours=() theirs=()
for _ in $(seq "$rounds"); do
    reset_installation "$name"
    cp -a "$source_export/." "$transfer/"
    sync
    ours+=("$(seconds install "$name")")
    [ -s "$presentations/$name.exc" ] || { echo "the installation failed" >&2; exit 1; }

    rm -f "$baseline/archives/$name.exc"
    cp -a "$source_export/." "$data/start.html" "$data/ExtPres.Orv" "$baseline/transfer/"
    sync
    theirs+=("$(seconds by_hand)")
done
ours_median=$(printf '%s\n' "${ours[@]}" | median)
theirs_median=$(printf '%s\n' "${theirs[@]}" | median)
line '%-44s %9s %9s %7s' "install $files files, $megabytes MB, s (vs zip + md5sum)" \
    "$ours_median" "$theirs_median" "$(ratio "$ours_median" "$theirs_median")"
rm -rf "$source_export" "$baseline"
reset_installation "$name"

# --- 3. Peak resident size of the installer itself --------------------------
echo "== 3. Peak memory for a 1 MB and a 1 GiB archive" >&2
# The installer's own figures at its end, in KiB: "VmHWM VmRSS RssAnon RssFile".
peak_kib() { # NAME SLIDES IMAGE_BYTES
    local report_file=$data/peak.txt
    make_export "$transfer" "$1" "$2" "$3"
    rm -f "$report_file"
    (cd "$workdir" && SLIDEPUB_PEAK_MEMORY_FILE=$report_file \
        LD_PRELOAD=$bench_tools/libslidepub-peak-memory.so "$installer" operator "$1" 12345 2 \
        >/dev/null)
    [ -s "$presentations/$1.exc" ] || { echo "the installation of $1 failed" >&2; exit 1; }
    awk '{ v[$1] = $2 } END { print v["VmHWM:"], v["VmRSS:"], v["RssAnon:"], v["RssFile:"] }' \
        "$report_file"
    reset_installation "$1"
}
mib() { awk -v k="$1" 'BEGIN { printf "%.2f", k / 1024 }'; }
small=$(peak_kib BenchKlein 4 250000)
large=$(peak_kib BenchGross 16 $((gib / 16)))
read -r small_hwm _ small_anon small_file <<<"$small"
read -r large_hwm _ large_anon large_file <<<"$large"
line '%-44s %9s %9s %7s' "peak resident size VmHWM, MiB (1 MB / 1 GiB)" \
    "$(mib "$small_hwm")" "$(mib "$large_hwm")" "$(ratio "$large_hwm" "$small_hwm")"
line '%-44s %9s %9s %7s' "  of it private (RssAnon), MiB" "$(mib "$small_anon")" \
    "$(mib "$large_anon")" "$(ratio "$large_anon" "$small_anon")"
line '%-44s %9s %9s %7s' "  of it shared library pages (RssFile), MiB" "$(mib "$small_file")" \
    "$(mib "$large_file")" "$(ratio "$large_file" "$small_file")"

# --- 4. Export preparation on large player scripts ---------------------------
echo "== 4. Export preparation of 5, 25 and 50 MB player scripts ($rounds rounds)" >&2
# The ratio is the time per MB against that of the 5 MB script: 1 is linear.
prepared=$(TMPDIR=$data "$bench_tools/slidepub-bench-prepare" --rounds "$rounds" 5 25 50)
first_per_mb=
while read -r size took; do
    per_mb=$(awk -v t="$took" -v s="$size" 'BEGIN { printf "%.6f", t / s }')
    first_per_mb=${first_per_mb:-$per_mb}
    line '%-44s %9s %9s %7s' "prepare $size MB player script, s (per MB)" "$took" "" \
        "$(ratio "$per_mb" "$first_per_mb")"
done <<<"$prepared"

echo
printf '%s\n' "${report[@]}"
