#!/bin/sh
# rbInfo.exe under Wine delivers to the reference service (native, on 127.0.0.1): unattended
# by name ("Juan /auto") and by a request file with Auto=1; a stored inventory exported as a
# package is read back by the program, which sends exactly the same inventory again.
# usage: exe_delivery_test.sh KESTRIN-SERVICE RBINFO.EXE WINE-RUN.SH
# Exit code 77 (skipped) when the service has not been built.
set -eu
service=$1
exe=$2
wine_run=$3
. "$(dirname "$0")/service_helpers.sh"
require_service "$service"
start_service_in_work "$service"
cd "$work"
db=servicio.db

fail() {
    echo "FAILED: $*"
    "$service" list --db "$db" || true
    exit 1
}
# A failed delivery would end in a message box: the time limit keeps that from hanging here.
rbinfo() {
    RBINFO_SERVICE_URL=$service_url timeout -k 10 300 "$wine_run" "$exe" "$@" ||
        fail "rbInfo.exe $* (exit code $?)"
}
# show ID -> the stored header and text report, checked for each expected line.
expect_shown() {
    _id=$1
    shift
    "$service" show --db "$db" "$_id" >"shown$_id.txt" || fail "show $_id"
    for _line in "$@"; do
        grep -qxF -- "$_line" "shown$_id.txt" || { cat "shown$_id.txt"; fail "inventory $_id lacks: $_line"; }
    done
}

rbinfo Juan /auto
expect_shown 1 "Nombre: Juan" "Destino: " "Operación: AddInfoFromRequest" "Origen: 127.0.0.1" \
    "[Machine]" "[CPU]" "[Performance]"
grep -q '^Secciones (20): pgWksta,pgOS,' shown1.txt || fail "inventory 1: not all sections"

# Code page 1252 text, as Kelto's staff would write it.
printf 'ProcessList=[pgWksta,pgCPU,pgMem]\r\nNombre=Sucursal 3\r\nTelefono=555 12 34\r\nObservaciones=Prueba de env\355o\r\nDestino=Soporte t\351cnico\r\nAuto=1\r\n' >request.rpg
rbinfo request.rpg
expect_shown 2 "Nombre: Sucursal 3" "Teléfono: 555 12 34" "Observaciones: Prueba de envío" \
    "Destino: Soporte técnico" "Secciones (3): pgWksta,pgCPU,pgMem"

# The program reads the exported package back and sends the same inventory again.
"$service" export --db "$db" 1 uno.fzp >/dev/null || fail "export 1"
rbinfo uno.fzp /auto
"$service" export --db "$db" 3 tres.fzp >/dev/null || fail "export 3"
cmp uno.fzp tres.fzp || fail "the package read back differs from the one exported"
[ "$("$service" list --db "$db" | wc -l)" = 4 ] || fail "not exactly three inventories"
"$service" list --db "$db"
echo "rbInfo.exe: three deliveries stored, package read back identically"
