# Sourced by the scripts that test against the reference service (POSIX sh).
#   require_service SERVICE-EXE
# ends the calling test as skipped (exit code 77) when the service has not been built;
#   start_service_in_work SERVICE-EXE [SERVE-OPTIONS...]
# makes a fresh folder (work), starts the service on the database work/servicio.db and has both
# cleaned up when the script ends;
#   start_service SERVICE-EXE DB-FILE [SERVE-OPTIONS...]
# starts it in the background on a free loopback port and sets service_pid and service_url;
#   stop_service
# stops that process (by its id) and waits for it.

require_service() {
    if [ ! -x "$1" ]; then
        echo "no kestrin-service at '$1' (set RBINFO_NATIVE_BUILD_DIR): skipped"
        exit 77
    fi
}

start_service_in_work() {
    _svc=$1
    shift
    work=$(mktemp -d)
    trap 'stop_service; rm -rf "$work"' EXIT
    start_service "$_svc" "$work/servicio.db" "$@"
}

start_service() {
    _exe=$1
    _db=$2
    shift 2
    _log="$_db.log"
    "$_exe" serve --port 0 --db "$_db" "$@" >"$_log" 2>&1 &
    service_pid=$!
    _tries=0
    # It prints one line once it listens: "... escuchando en http://127.0.0.1:PORT/...".
    while ! grep -q 'escuchando en http://' "$_log" 2>/dev/null; do
        _tries=$((_tries + 1))
        if [ "$_tries" -gt 100 ] || ! kill -0 "$service_pid" 2>/dev/null; then
            echo "kestrin-service did not start:" >&2
            cat "$_log" >&2
            return 1
        fi
        sleep 0.1
    done
    service_url=$(grep -o 'http://[^ ]*' "$_log" | head -n 1)
}

stop_service() {
    if [ -n "${service_pid:-}" ]; then
        kill "$service_pid" 2>/dev/null || true
        wait "$service_pid" 2>/dev/null || true
        service_pid=
    fi
}
