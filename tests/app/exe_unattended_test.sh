#!/bin/sh
# "rbInfo.exe Juan /auto" as Windows 10 (set per program in the prefix's registry) against an
# address where nothing listens. With the message log: exit code 1, and the message names the
# package the inventory was kept in; that package's document carries version 10.0 with its
# build, the texts that device references stand for (no "@" reference text), the class key's
# 4 GiB (no negative size) and the screen's real size (no scaled metric). Without the message
# log (under Xvfb the box is shown): the run still ends by itself, with exit code 1.
# usage: exe_unattended_test.sh RBINFO.EXE WINE-RUN.SH
set -eu
exe=$1
wine_run=$2
. "$(dirname "$0")/../sysinfo/test_devices.sh"
app_key='HKCU\Software\Wine\AppDefaults\rbInfo.exe'
work=$(mktemp -d)

cleanup() {
    "$wine_run" reg delete "$app_key" /f >/dev/null 2>&1 || true
    remove_test_devices "$wine_run"
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
cd "$work"
fail() {
    echo "FAILED: $*"
    [ -f messages.txt ] && iconv -f CP1252 -t UTF-8 messages.txt
    exit 1
}
program=$("$wine_run" winepath -w "$exe" 2>/dev/null | tr -d '\r')
add_test_devices "$wine_run" "$program" >/dev/null
"$wine_run" reg add "$app_key" /v Version /d win10 /f >/dev/null

# A loopback port nobody listens on: one the system just handed out and took back.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export RBINFO_SERVICE_URL="http://127.0.0.1:$port/cgi/Kestrin.exe/bin"

# The time limit only keeps a broken run from hanging the test run.
rc=0
RBINFO_MESSAGE_LOG="$work/messages.txt" timeout -k 10 300 "$wine_run" "$exe" Juan /auto || rc=$?
[ "$rc" = 1 ] || fail "exit code $rc with the message log"
kept=$(iconv -f CP1252 -t UTF-8 messages.txt | tr -d '\r' |
    sed -n 's/^.*El inventario se guardó en el paquete \(.*kt_infosys\.fzp\), .*$/\1/p' | head -n 1)
[ -n "$kept" ] || fail "the message names no kept package"
package=$("$wine_run" winepath -u "$kept" 2>/dev/null | tr -d '\r')
[ -f "$package" ] || fail "no package at $kept"

python3 - "$package" <<'PY' || fail "the kept package's document"
import re, sys, zlib
import xml.etree.ElementTree as ET
data = zlib.decompress(open(sys.argv[1], "rb").read()).decode("cp1252")
header, _, document = data.partition("finencabezado\r\n")
if "Nombre=4A75616E" not in header:
    sys.exit("the package's header is not Juan's: " + header[:80])
root = ET.fromstring(document)
failures = []
os_ = root.find(".//OS")
major, minor, build = (int(os_.findtext(n)) for n in ("MAJORVERSION", "MINORVERSION", "BUILDNUMBER"))
if (major, minor) != (10, 0) or build < 10240:
    failures.append("version %d.%d build %d" % (major, minor, build))
for element in root.iter():
    text = element.text or ""
    if re.match(r"@.*,(-\d|#\d|%)", text):
        failures.append("reference text in %s: %s" % (element.tag, text))
descriptions = [d.findtext("DESCRIPTION") for d in root.iter("Device")]
if "Dispositivo de prueba rbInfo" not in descriptions:
    failures.append("the test device's text is not resolved: %s" % descriptions)
memories = {d.findtext("ADAPTER"): int(d.findtext("MEMORY")) for d in root.iter("Display")}
if memories.get("Pantalla de prueba rbInfo") != 4294967296:
    failures.append("memories %s" % memories)
if any(m < 0 for m in memories.values()):
    failures.append("a negative memory: %s" % memories)
for d in root.iter("Display"):
    size = "%s x %s" % (d.findtext("HORZRES"), d.findtext("VERTRES"))
    modes = [m.findtext("THESTRING") for m in d.iter("StringCollectionItem")]
    if not any(m.startswith(size + " - ") for m in modes):
        failures.append("screen %s is none of its modes %s" % (size, modes))
for f in failures:
    print(f)
sys.exit(1 if failures else 0)
PY

# No message log: nobody answers the box, which closes by itself after a minute.
rm -f "$package"
[ -n "${DISPLAY:-}" ] || echo "note: no display, so the message box answers at once"
rc=0
timeout -k 10 300 "$wine_run" "$exe" Juan /auto || rc=$?
[ "$rc" = 1 ] || fail "exit code $rc without the message log (124: it did not end by itself)"
[ -f "$package" ] || fail "no package kept by the run without the message log"
echo "rbInfo.exe /auto: failed delivery kept the inventory, named it and ended by itself"
