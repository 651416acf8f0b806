#!/bin/sh
# The collecting service under load and faults: 8 clients deliver 10,000 inventories, each
# client posting a call again to the next service after a failure; every 50th call also loses
# its first reply, every 97th goes to two services at the same moment, every 61st is posted
# again after its receipt. Once a third of the receipts are in, service "a" is killed with
# kill -9 and started again on its port. Then every call that got a receipt must be stored
# once, byte for byte, nothing else, its machine counting it, and the command line's list must
# show exactly that many.
#   postgres: two services sharing a fresh database of the test server (ctest's fixture)
#   sqlite:   one service on a fresh file
# usage: load_test.sh sqlite|postgres SERVICE-EXE LOAD-EXE CLUSTER-SCRIPT STATE-FILE
# (RB_LOAD_DELIVERIES changes the number of calls.)
set -eu
store=$1
service=$2
load=$3
cluster=$4
state=$5
deliveries=${RB_LOAD_DELIVERIES:-10000}
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
work=$(mktemp -d)
database=
pids=
load_pid=

cleanup() {
    # Nothing here needs to end gracefully: the services and the driver go at once.
    for pid in $pids $load_pid; do kill -9 "$pid" 2>/dev/null || true; done
    for pid in $pids $load_pid; do wait "$pid" 2>/dev/null || true; done
    kill "$watchdog" 2>/dev/null || true
    [ -z "$database" ] || "$cluster" dropdb "$state" "$database" || true
    rm -rf "$work"
}
stage="starting"

# What each process wrote last, so that a failure or a run stopped from outside (ctest's time
# limit) says where it stood.
dump() {
    echo "load_test: $* (while $stage)" >&2
    for log in "$work"/*.log; do
        echo "--- $log" >&2
        tail -n 20 "$log" >&2
    done
}
fail() {
    dump "$@"
    exit 1
}
trap cleanup EXIT
trap 'dump "stopped"; exit 143' INT TERM
# A run that has not ended after ten minutes is stopped here, before ctest's own limit would
# take it without a word.
(sleep "${RB_LOAD_LIMIT:-600}" && kill -TERM $$) >/dev/null 2>&1 &
watchdog=$!

# start NAME PORT: a service on the store, its id in pid_NAME and its address in url_NAME.
start() {
    log="$work/$1.log"
    [ ! -e "$log" ] || log="$work/$1-again.log"  # the first one's lines are not this one's
    tries=0
    while :; do
        "$service" serve --port "$2" --db "$db" >"$log" 2>&1 &
        pid=$!
        waited=0
        while ! grep -q 'escuchando en http://' "$log" 2>/dev/null; do
            kill -0 "$pid" 2>/dev/null || break
            waited=$((waited + 1))
            [ "$waited" -lt 300 ] || fail "service $1 did not start"
            sleep 0.1
        done
        grep -q 'escuchando en http://' "$log" && break
        wait "$pid" 2>/dev/null || true
        tries=$((tries + 1))
        # The port of a killed service may take a moment to be free again.
        [ "$tries" -lt 20 ] || fail "service $1 could not start again on port $2"
        sleep 0.5
    done
    pids="$pids $pid"
    eval "pid_$1=$pid"
    eval "url_$1=$(grep -o 'http://[^ ]*' "$log" | head -n 1)"
}

case $store in
    sqlite)
        db="sqlite:$work/carga.db"
        ;;
    postgres)
        reason=$(sed -n 's/^unavailable=//p' "$state" 2>/dev/null || true)
        if [ -n "$reason" ]; then
            echo "PostgreSQL: $reason: skipped"
            exit 77
        fi
        [ -f "$state" ] || fail "no PostgreSQL server for the tests (no $state: run through ctest)"
        database="carga_$$"
        db=$("$cluster" createdb "$state" "$database")
        ;;
    *)
        echo "usage: $0 sqlite|postgres SERVICE-EXE LOAD-EXE CLUSTER-SCRIPT STATE-FILE" >&2
        exit 2
        ;;
esac

start a 0
urls=$url_a
if [ "$store" = postgres ]; then
    start b 0
    urls="$url_a,$url_b"
fi
port_a=$(echo "$url_a" | sed 's|http://[^:]*:\([0-9]*\)/.*|\1|')
echo "load_test: $deliveries deliveries from 8 clients to $urls ($store)"

"$load" --services "$urls" --deliveries "$deliveries" --clients 8 --kb 8 \
    --lost-reply-every 50 --both-every 97 --repeat-every 61 \
    --progress "$work/progress" --check "$db" >"$work/load.log" 2>&1 &
load_pid=$!
stage="loading"

# A third of the receipts in: service "a" goes, as a crash would take it, and comes back.
while kill -0 "$load_pid" 2>/dev/null; do
    done_so_far=$(cat "$work/progress" 2>/dev/null || echo 0)
    [ "$done_so_far" -lt $((deliveries / 3)) ] || break
    sleep 0.1
done
stage="killing service a"
kill -9 "$pid_a" 2>/dev/null || fail "service a had already gone"
wait "$pid_a" 2>/dev/null || true
echo "load_test: service a killed with kill -9 after $(cat "$work/progress") receipts"
sleep 1
stage="starting service a again"
start a "$port_a"
echo "load_test: service a started again on port $port_a"

stage="waiting for the load driver"
rc=0
wait "$load_pid" || rc=$?
cat "$work/load.log"
[ "$rc" = 0 ] || fail "the load driver found faults (exit code $rc)"

stage="listing"
# The command line's list: one line per stored inventory, after its heading.
listed=$("$service" list --db "$db" | tail -n +2 | wc -l)
[ "$listed" = "$deliveries" ] || fail "kestrin-service list shows $listed inventories, not $deliveries"
echo "load_test: kestrin-service list shows $listed inventories"
