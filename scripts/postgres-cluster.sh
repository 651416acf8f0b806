#!/bin/sh
# A private PostgreSQL server for the tests and benchmarks of the collecting service: a cluster
# made with initdb in a fresh folder under /tmp, run by the unprivileged user "postgres" (or by
# the user running this, when that is not root), listening on a free loopback port and on a
# socket in that folder. Durable commits stay on (PostgreSQL's defaults).
#
#   postgres-cluster.sh start STATE-FILE [SERVER-OPTION...]
#       makes and starts the cluster; STATE-FILE then holds "dir=FOLDER" and
#       "url=postgresql://postgres@127.0.0.1:PORT/postgres" (the maintenance database). Where
#       PostgreSQL is not installed it holds "unavailable=REASON" instead and the start succeeds,
#       so that the tests that need the server skip with that reason.
#   postgres-cluster.sh createdb STATE-FILE NAME
#       makes a database and prints its address.
#   postgres-cluster.sh dropdb STATE-FILE NAME
#       removes it.
#   postgres-cluster.sh stop STATE-FILE
#       stops the server and removes its folder and STATE-FILE; nothing is left behind.
set -eu

say() { echo "postgres-cluster: $*" >&2; }

bindir() {
    for d in /usr/lib/postgresql/15/bin /usr/lib/postgresql/*/bin; do
        if [ -x "$d/initdb" ] && [ -x "$d/pg_ctl" ]; then echo "$d"; return 0; fi
    done
    return 1
}

# Runs a server program as the cluster's owner.
as_owner() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

value() {  # state-file key
    sed -n "s/^$2=//p" "$1" 2>/dev/null | head -n 1
}

start() {
    state=$1
    shift
    if ! bin=$(bindir); then
        echo "unavailable=PostgreSQL is not installed (no initdb under /usr/lib/postgresql)" >"$state"
        say "PostgreSQL is not installed: the tests that need it are skipped"
        return 0
    fi
    if [ "$(id -u)" = 0 ] && ! id postgres >/dev/null 2>&1; then
        echo "unavailable=there is no user \"postgres\" to run the server" >"$state"
        say "no user \"postgres\": the tests that need PostgreSQL are skipped"
        return 0
    fi
    # Under /tmp: the user "postgres" must reach the folder (a clone under /root is mode 700).
    dir=$(mktemp -d /tmp/kestrin-pg.XXXXXX)
    chmod 755 "$dir"
    [ "$(id -u)" = 0 ] && chown postgres "$dir"
    if ! as_owner "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 \
            >"$dir/initdb.log" 2>&1; then
        cat "$dir/initdb.log" >&2
        rm -rf "$dir"
        say "initdb failed"
        return 1
    fi
    # A free port: one that no server answers on, taken at random; when another program takes
    # it first, the start fails and another is tried.
    tries=0
    while :; do
        tries=$((tries + 1))
        port=$(( ( $(od -An -N2 -tu2 /dev/urandom) % 30000 ) + 20000 ))
        if as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w -t 60 -o \
                "-p $port -k $dir -c listen_addresses=127.0.0.1 -c max_connections=200 $*" \
                start >/dev/null 2>&1; then
            break
        fi
        if [ "$tries" -ge 5 ]; then
            cat "$dir/log" >&2 || true
            rm -rf "$dir"
            say "the server did not start"
            return 1
        fi
    done
    printf 'dir=%s\nbin=%s\nport=%s\nurl=postgresql://postgres@127.0.0.1:%s/postgres\n' \
        "$dir" "$bin" "$port" "$port" >"$state"
    say "PostgreSQL $("$bin/postgres" --version | sed "s/^[^0-9]*\([0-9.]*\).*/\1/") on 127.0.0.1:$port in $dir"
}

createdb() {
    state=$1
    name=$2
    port=$(value "$state" port)
    [ -n "$port" ] || { say "no server in $state"; return 1; }
    "$(value "$state" bin)/createdb" -h 127.0.0.1 -p "$port" -U postgres "$name"
    echo "postgresql://postgres@127.0.0.1:$port/$name"
}

dropdb() {
    port=$(value "$1" port)
    [ -n "$port" ] || { say "no server in $1"; return 1; }
    "$(value "$1" bin)/dropdb" -h 127.0.0.1 -p "$port" -U postgres --if-exists --force "$2"
}

stop() {
    state=$1
    dir=$(value "$state" dir)
    if [ -n "$dir" ] && [ -d "$dir" ]; then
        as_owner "$(value "$state" bin)/pg_ctl" -D "$dir/data" -m fast -w -t 60 stop \
            >/dev/null 2>&1 || say "pg_ctl stop failed"
        rm -rf "$dir"
    fi
    rm -f "$state"
}

usage() {
    echo "usage: $0 start|createdb|dropdb|stop STATE-FILE ..." >&2
    exit 2
}
[ $# -ge 2 ] || usage
command=$1
shift
case $command in
    start) start "$@" ;;
    createdb) [ $# = 2 ] || usage; createdb "$@" ;;
    dropdb) [ $# = 2 ] || usage; dropdb "$@" ;;
    stop) stop "$@" ;;
    *) usage ;;
esac
