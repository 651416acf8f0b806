#!/bin/sh
# rbInfo.exe in a Wine prefix as Wine makes it (no "Control" subkey under its device instances):
# the display step finds no adapter, and an unattended collection ends with that error and
# exit code 1; a request file with Auto=1 delivers the partial inventory to the reference
# service (when it is built), its error list saying why it stops. Runs in a prefix of its own,
# made once.
# usage: plain_prefix_test.sh RBINFO.EXE WINE-RUN.SH PREFIX [KESTRIN-SERVICE]
set -u
exe=$1
wine_run=$2
export WINEPREFIX=$3
service=${4:-}
export RBINFO_WINE_DEVICE_CONTROL=0
. "$(dirname "$0")/../service/service_helpers.sh"
if [ -x "$service" ]; then
    start_service_in_work "$service"
    trap 'stop_service; rm -rf "$work"; "$wine_run" wineserver -k 2>/dev/null' EXIT
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"; "$wine_run" wineserver -k 2>/dev/null' EXIT
fi
cd "$work"
export RBINFO_MESSAGE_LOG="$work/messages.txt"
fail() { echo "FAIL: $*"; [ -f messages.txt ] && cat messages.txt; exit 1; }

controls=$("$wine_run" reg query 'HKLM\System\CurrentControlSet\Enum' /s 2>/dev/null |
           tr -d '\r' | grep -ci '\\Control$')
[ "$controls" = 0 ] || fail "the plain prefix has $controls Control subkeys"

RBINFO_SERVICE_URL=http://127.0.0.1:9/none "$wine_run" "$exe" Juan /auto
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc"
grep -q 'adaptador de video' messages.txt || fail "no display-adapter message"
echo "plain prefix: the collection stops at the display step as described"

[ -x "$service" ] || { echo "no kestrin-service: the unattended request is not checked"; exit 0; }
printf 'ProcessList=[pgWksta,pgCPU,pgMem,pgDisplay,pgDisk]\r\nNombre=Sucursal\r\nAuto=1\r\n' \
    >pedido.rpg
rm -f messages.txt
RBINFO_SERVICE_URL=$service_url timeout -k 10 300 "$wine_run" "$exe" pedido.rpg
rc=$?
[ "$rc" = 0 ] || fail "request file: exit code $rc"
"$service" export --db servicio.db 1 parcial.fzp >/dev/null || fail "nothing was delivered"
# The package is one zlib stream: five header lines, then the XML.
python3 -c 'import sys, zlib; sys.stdout.buffer.write(zlib.decompress(open(sys.argv[1], "rb").read()))' \
    parcial.fzp >parcial.txt || fail "the delivered package does not inflate"
LC_ALL=C grep -aq 'No se encontr.* un adaptador de video v.*lido' parcial.txt ||
    fail "the delivered error list lacks the display message"
grep -aq '<NAME>' parcial.txt || fail "the sections gathered before the display step are missing"
echo "plain prefix: a request with Auto=1 delivers the partial inventory and says why"
