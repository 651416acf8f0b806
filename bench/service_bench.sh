#!/bin/sh
# The collecting service's benchmark (figures, never a test), on a private PostgreSQL 15 with
# durable commits (scripts/postgres-cluster.sh; shared_buffers 512 MB, work_mem 32 MB):
# - ingestion: 8 clients deliver inventories of about 28 KB (BENCH_DELIVERIES calls, 8000 by
#   default) to one service on SQLite, one on PostgreSQL and two sharing one PostgreSQL; the
#   rate, the p50 and p99 latency of a call, and a check that every receipt was stored once;
# - the list and its searches at 100,000 stored inventories (and 1,000,000 with --million).
# Run through `cmake --build build/native --target service_bench`, or by hand:
# usage: service_bench.sh SERVICE-EXE LOAD-EXE STORE-BENCH-EXE CLUSTER-SCRIPT [--million]
set -eu
service=$1
load=$2
store_bench=$3
cluster=$4
million=${5:-}
deliveries=${BENCH_DELIVERIES:-8000}
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
work=$(mktemp -d)
state="$work/postgres.env"
pids=

cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    "$cluster" stop "$state" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' INT TERM

# serve NAME STORE: a service on a free port; its address in url_NAME.
serve() {
    "$service" serve --port 0 --db "$2" >"$work/$1.log" 2>&1 &
    pids="$pids $!"
    tries=0
    until grep -q 'escuchando en http://' "$work/$1.log" 2>/dev/null; do
        tries=$((tries + 1))
        [ "$tries" -lt 300 ] || { cat "$work/$1.log" >&2; exit 1; }
        sleep 0.1
    done
    eval "url_$1=$(grep -o 'http://[^ ]*' "$work/$1.log" | head -n 1)"
}

stop_services() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    pids=
}

# ingest LABEL STORE URLS
ingest() {
    echo "$1:"
    "$load" --services "$3" --clients 8 --deliveries "$deliveries" --kb 28 --check "$2" |
        sed 's/^kestrin-load: /  /'
}

echo "Machine: $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GB of memory," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg) (other work shares it)"
"$cluster" start "$state" -c shared_buffers=512MB -c work_mem=32MB
reason=$(sed -n 's/^unavailable=//p' "$state")
[ -z "$reason" ] || { echo "PostgreSQL: $reason"; exit 1; }

serve sqlite "sqlite:$work/bench.db"
ingest "SQLite, one service" "sqlite:$work/bench.db" "$url_sqlite"
stop_services

db=$("$cluster" createdb "$state" one)
serve one "$db"
ingest "PostgreSQL, one service" "$db" "$url_one"
stop_services

db=$("$cluster" createdb "$state" two)
serve a "$db"
serve b "$db"
ingest "PostgreSQL, two services sharing it" "$db" "$url_a,$url_b"
stop_services

"$store_bench" --db "$("$cluster" createdb "$state" list100k)" --rows 100000
if [ "$million" = --million ]; then
    "$store_bench" --db "$("$cluster" createdb "$state" list1m)" --rows 1000000
fi
echo "Load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
