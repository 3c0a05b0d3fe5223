#!/usr/bin/env bash
# A throwaway PostgreSQL server with the product's catalogue table, reached
# through unixODBC and psqlODBC with private ini files (nothing system-wide
# changes). CTest starts it once per run (fixture catalogue_db); a developer
# can call the same commands by hand:
#
#   testdb.sh start  [STATE_DIR]   (re)creates the cluster and starts it
#   testdb.sh stop   [STATE_DIR]   stops it and removes the cluster
#   testdb.sh status [STATE_DIR]   tells whether it answers
#   testdb.sh env    [STATE_DIR]   prints the ODBC environment to export
#   testdb.sh psql   [STATE_DIR] [psql arguments]   superuser shell on it
#   testdb.sh pg_ctl [STATE_DIR] start|stop          the server alone, data kept
#
# STATE_DIR (default: $SLIDEPUB_TESTDB_DIR, else build/testdb of the
# checkout) receives odbcinst.ini, odbc.ini and testdb.env, which the tests
# read. The cluster itself lives under /tmp: initdb refuses root, so it runs
# as the postgres user, who must be able to reach the folder, and the unix
# socket path has to stay short.
set -euo pipefail

command=${1:-}
[ $# -gt 0 ] && shift
here=$(cd "$(dirname "$0")" && pwd)
state_dir=${1:-${SLIDEPUB_TESTDB_DIR:-$here/../../../build/testdb}}
[ $# -gt 0 ] && shift

readonly dsn=SlidePubCatalogue
readonly empty_dsn=SlidePubNoCatalogue
readonly raw_dsn=SlidePubCatalogueRaw
readonly database=slidepub
readonly empty_database=slidepub_empty
readonly login=slidepub
readonly password=Kat-2006.Probe
readonly host=127.0.0.1
readonly superuser=postgres

fail() {
    echo "testdb: $*" >&2
    exit 1
}

find_pg_bin() {
    local candidate
    for candidate in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -t/ -k5 -n -r); do
        [ -x "$candidate/initdb" ] && { echo "$candidate"; return; }
    done
    candidate=$(command -v initdb 2>/dev/null || true)
    [ -n "$candidate" ] && { dirname "$(readlink -f "$candidate")"; return; }
    fail "no PostgreSQL server binaries (initdb) found; install the package postgresql"
}

find_odbc_driver() {
    local candidate
    for candidate in /usr/lib/x86_64-linux-gnu/odbc/psqlodbca.so /usr/lib/*/odbc/psqlodbca.so \
        /usr/lib/odbc/psqlodbca.so /usr/lib64/psqlodbca.so /usr/local/lib/psqlodbca.so; do
        [ -f "$candidate" ] && { echo "$candidate"; return; }
    done
    fail "psqlODBC's ANSI driver psqlodbca.so not found; install the package odbc-postgresql"
}

# initdb and the server refuse to run as root.
as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        (cd / && runuser -u "$superuser" -- "$@")
    else
        (cd / && "$@")
    fi
}

load_state() {
    [ -f "$state_dir/testdb.env" ] || fail "not started: no $state_dir/testdb.env"
    # shellcheck disable=SC1091
    . "$state_dir/testdb.env"
}

pick_port() {
    local port
    while :; do
        port=$(shuf -i 20000-60999 -n 1)
        if command -v ss >/dev/null 2>&1 && [ -n "$(ss -Htln "sport = :$port" 2>/dev/null)" ]; then
            continue
        fi
        echo "$port"
        return
    done
}

stop_cluster() {
    local cluster=$1 mode=${2:-fast}
    if [ -f "$cluster/data/postmaster.pid" ]; then
        as_server_user "$SLIDEPUB_TESTDB_PG_BIN/pg_ctl" -D "$cluster/data" -m "$mode" -w stop \
            >/dev/null 2>&1 || true
    fi
}

cmd_stop() {
    [ -f "$state_dir/testdb.env" ] || { echo "testdb: nothing to stop in $state_dir"; return 0; }
    load_state
    local cluster=$SLIDEPUB_TESTDB_CLUSTER
    stop_cluster "$cluster"
    [ -f "$cluster/server.log" ] && cp "$cluster/server.log" "$state_dir/server.log"
    case "$cluster" in
    /tmp/slidepub-db.*) rm -rf "$cluster" ;;
    esac
    rm -f "$state_dir/testdb.env"
    echo "testdb: stopped"
}

write_odbc_files() {
    local driver
    driver=$(find_odbc_driver)
    cat >"$state_dir/odbcinst.ini" <<EOF
[PostgreSQL ANSI]
Description = psqlODBC, ANSI entry points
Driver = $driver
EOF
    # Username and password stay out of the data sources: they come from the
    # product's settings file through SQLConnect, as in a real installation.
    local name db
    {
        echo "[ODBC Data Sources]"
        echo "$dsn = catalogue database of the tests"
        echo "$empty_dsn = same server, without the catalogue table"
        echo "$raw_dsn = catalogue database, failed statements not rolled back by the driver"
        for name in "$dsn" "$empty_dsn" "$raw_dsn"; do
            db=$database
            [ "$name" = "$empty_dsn" ] && db=$empty_database
            echo
            echo "[$name]"
            echo "Driver = PostgreSQL ANSI"
            echo "Servername = $host"
            echo "Port = $port"
            echo "Database = $db"
            echo "SSLmode = disable"
            echo "ConnSettings = SET client_encoding TO 'WIN1252'"
            # psqlODBC's default wraps every statement in a savepoint and
            # hides what a failed statement does to a transaction; level 0
            # leaves that to the application, as other drivers do.
            [ "$name" = "$raw_dsn" ] && echo "Protocol = 7.4-0"
        done
    } >"$state_dir/odbc.ini"
}

run_psql() {
    "$SLIDEPUB_TESTDB_PG_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$SLIDEPUB_TESTDB_SOCKET_DIR" \
        -p "$SLIDEPUB_TESTDB_PORT" -U "$superuser" "$@"
}

create_catalogue() {
    run_psql -d postgres <<EOF
CREATE ROLE $login LOGIN PASSWORD '$password';
CREATE DATABASE $database ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0;
CREATE DATABASE $empty_database ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0;
EOF
    run_psql -d "$database" <<EOF
CREATE SCHEMA Ovsystem;
CREATE TABLE Ovsystem.O2006TrmDatei (
    TrdNam varchar(200) NOT NULL,
    TrdTxt varchar(200),
    TrdArt int,
    TrdTyp smallint NOT NULL,
    TrdVer varchar(10),
    TrdTcn varchar(32),
    TrdLiz varchar(5) NOT NULL,
    TrdMnd varchar(5) NOT NULL,
    PRIMARY KEY (TrdNam, TrdTyp, TrdLiz, TrdMnd)
);
GRANT USAGE ON SCHEMA Ovsystem TO $login;
GRANT SELECT, INSERT, DELETE ON Ovsystem.O2006TrmDatei TO $login;

-- A hook for tests of a refused commit: a row whose name holds
-- "[refused at commit]" is accepted by its insert and refused at the end of
-- its transaction. Rows without the marker never notice it.
CREATE FUNCTION Ovsystem.RefuseAtCommit() RETURNS trigger LANGUAGE plpgsql AS \$\$
BEGIN
    IF NEW.TrdNam LIKE '%[refused at commit]%' THEN
        RAISE EXCEPTION 'catalogue row refused at commit' USING ERRCODE = '23514';
    END IF;
    RETURN NULL;
END \$\$;
CREATE CONSTRAINT TRIGGER RefuseAtCommit AFTER INSERT ON Ovsystem.O2006TrmDatei
    DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION Ovsystem.RefuseAtCommit();
EOF
}

cmd_start() {
    mkdir -p "$state_dir"
    state_dir=$(cd "$state_dir" && pwd)
    # A server left behind by an interrupted run goes first.
    [ -f "$state_dir/testdb.env" ] && cmd_stop >/dev/null

    SLIDEPUB_TESTDB_PG_BIN=$(find_pg_bin)
    id "$superuser" >/dev/null 2>&1 || fail "no user $superuser to run the server as"
    local cluster
    cluster=$(mktemp -d /tmp/slidepub-db.XXXXXX)
    chmod 755 "$cluster"
    mkdir "$cluster/data" "$cluster/sock"
    [ "$(id -u)" -eq 0 ] && chown -R "$superuser:" "$cluster"

    as_server_user "$SLIDEPUB_TESTDB_PG_BIN/initdb" -D "$cluster/data" -U "$superuser" \
        -E UTF8 --locale=C --no-sync --auth-local=trust --auth-host=scram-sha-256 \
        >"$cluster/initdb.log" 2>&1 || { cat "$cluster/initdb.log" >&2; fail "initdb failed"; }
    cat >>"$cluster/data/postgresql.conf" <<EOF
listen_addresses = '$host'
unix_socket_directories = '$cluster/sock'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 60
EOF

    # A port taken between the choice and the bind makes the start fail;
    # another port is tried then.
    local attempt started=
    for attempt in 1 2 3 4 5 6 7 8; do
        port=$(pick_port)
        if as_server_user "$SLIDEPUB_TESTDB_PG_BIN/pg_ctl" -D "$cluster/data" \
            -l "$cluster/server.log" -o "-p $port" -w -t 60 start >/dev/null 2>&1; then
            started=yes
            break
        fi
    done
    if [ -z "$started" ]; then
        cat "$cluster/server.log" >&2 || true
        rm -rf "$cluster"
        fail "the server did not start (tried $attempt ports)"
    fi

    SLIDEPUB_TESTDB_SOCKET_DIR=$cluster/sock
    SLIDEPUB_TESTDB_PORT=$port
    create_catalogue || {
        stop_cluster "$cluster" immediate
        fail "creating the catalogue failed"
    }
    write_odbc_files
    cat >"$state_dir/testdb.env" <<EOF
SLIDEPUB_TESTDB_DSN=$dsn
SLIDEPUB_TESTDB_EMPTY_DSN=$empty_dsn
SLIDEPUB_TESTDB_RAW_DSN=$raw_dsn
SLIDEPUB_TESTDB_LOGIN=$login
SLIDEPUB_TESTDB_PASSWORD=$password
SLIDEPUB_TESTDB_HOST=$host
SLIDEPUB_TESTDB_PORT=$port
SLIDEPUB_TESTDB_DATABASE=$database
SLIDEPUB_TESTDB_EMPTY_DATABASE=$empty_database
SLIDEPUB_TESTDB_SUPERUSER=$superuser
SLIDEPUB_TESTDB_SOCKET_DIR=$cluster/sock
SLIDEPUB_TESTDB_CLUSTER=$cluster
SLIDEPUB_TESTDB_PG_BIN=$SLIDEPUB_TESTDB_PG_BIN
ODBCSYSINI=$state_dir
ODBCINI=$state_dir/odbc.ini
EOF
    echo "testdb: PostgreSQL on $host:$port (socket $cluster/sock), data source $dsn"
}

cmd_status() {
    load_state
    "$SLIDEPUB_TESTDB_PG_BIN/pg_isready" -h "$SLIDEPUB_TESTDB_SOCKET_DIR" -p "$SLIDEPUB_TESTDB_PORT"
}

cmd_env() {
    load_state
    echo "export ODBCSYSINI='$ODBCSYSINI' ODBCINI='$ODBCINI'"
}

# Stops or starts the server of an existing cluster, keeping data and port;
# for tests that need it gone for a moment.
cmd_pg_ctl() {
    load_state
    local action=${1:-}
    case "$action" in
    stop) stop_cluster "$SLIDEPUB_TESTDB_CLUSTER" ;;
    start)
        as_server_user "$SLIDEPUB_TESTDB_PG_BIN/pg_ctl" -D "$SLIDEPUB_TESTDB_CLUSTER/data" \
            -l "$SLIDEPUB_TESTDB_CLUSTER/server.log" -o "-p $SLIDEPUB_TESTDB_PORT" -w -t 60 \
            start >/dev/null
        ;;
    *) fail "pg_ctl wants start or stop" ;;
    esac
}

case "$command" in
start) cmd_start ;;
stop) cmd_stop ;;
status) cmd_status ;;
env) cmd_env ;;
psql)
    load_state
    run_psql -d "$SLIDEPUB_TESTDB_DATABASE" "$@"
    ;;
pg_ctl) cmd_pg_ctl "$@" ;;
*)
    sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
