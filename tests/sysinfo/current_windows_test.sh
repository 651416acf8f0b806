#!/bin/sh
# rbInfo.exe as Windows 10, 7 and XP in turn (set per program in the prefix's registry), over
# devices recorded as current Windows records them: the text report shows each system's own
# version numbers (Windows 10: 10.0 and its build, not 6.2.9200), the texts that device and
# service references stand for, and the display adapters' chip and memory from their class
# keys (4 GiB from "qwMemorySize", a 32-bit 2 GiB never negative). Everything added to the
# prefix is taken out again.
# The test program, which has no manifest, runs its version tests as Windows 10 too (a copy
# of its own name, so that only that copy is set to Windows 10).
# usage: current_windows_test.sh RBINFO.EXE WINE-RUN.SH RBINFO_TESTS.EXE
set -eu
exe=$1
wine_run=$2
tests=$3
. "$(dirname "$0")/test_devices.sh"
app_key='HKCU\Software\Wine\AppDefaults\rbInfo.exe'
tests_key='HKCU\Software\Wine\AppDefaults\rbinfo_tests_win10.exe'
work=$(mktemp -d)

cleanup() {
    "$wine_run" reg delete "$app_key" /f >/dev/null 2>&1 || true
    "$wine_run" reg delete "$tests_key" /f >/dev/null 2>&1 || true
    remove_test_devices "$wine_run"
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
cd "$work"
program=$("$wine_run" winepath -w "$exe" 2>/dev/null | tr -d '\r')
add_test_devices "$wine_run" "$program" >/dev/null

# check REPORT VERSION-LINE BUILD-PATTERN: the report's lines, read by heading.
check() {
    python3 - "$@" <<'PY'
import re, sys
path, version, build = sys.argv[1:4]
lines = open(path, encoding="cp1252", newline="").read().split("\r\n")
failures = []
def block(heading, first):
    """The lines of the first section `heading` whose first line is `first` (any: None)."""
    for i, line in enumerate(lines):
        if line == heading and i + 1 < len(lines) and first in (None, lines[i + 1]):
            out = []
            for l in lines[i + 1:]:
                if l.startswith("["):
                    break
                out.append(l)
            return out
    failures.append("no section %s starting with %s" % (heading, first))
    return []
def expect(section, *wanted):
    for w in wanted:
        if w not in section:
            failures.append("missing %s in %s" % (w, section[:3]))
os_lines = block("[Operating System]", "Platform=Windows NT")
expect(os_lines, version)
builds = [l for l in os_lines if l.startswith("BuildNumber=")]
if not builds or not re.fullmatch(build, builds[0][len("BuildNumber="):]):
    failures.append("build %s, expected %s" % (builds, build))
expect(block("[Dispositivo de prueba rbInfo]", None), "Manufacturer=Kelto",
       "Location=Información de su computadora")
expect(block("[Display]", "Adapter=Pantalla de prueba rbInfo"), "Chipset=Chip de prueba",
       "Memory=4294967296")
expect(block("[Display]", "Adapter=Pantalla de 2 GiB"), "Memory=2147483648")
for l in lines[lines.index("[Devices]") if "[Devices]" in lines else 0:]:
    if re.search(r"=@.*,(-\d|#\d|%)", l):
        failures.append("reference text left: " + l)
for f in failures:
    print(path + ": " + f)
sys.exit(1 if failures else 0)
PY
}

failed=0
for version in win10 win7 winxp; do
    "$wine_run" reg add "$app_key" /v Version /d "$version" /f >/dev/null
    "$wine_run" "$exe" /report "$version.txt"
    case $version in
    win10) check "$version.txt" 'Version=10.0' '1[0-9]{4}|[2-9][0-9]{4}' || failed=1 ;;
    win7) check "$version.txt" 'Version=6.1' '7601' || failed=1 ;;
    winxp) check "$version.txt" 'Version=5.1' '2600' || failed=1 ;;
    esac
done

cp "$tests" rbinfo_tests_win10.exe
"$wine_run" reg add "$tests_key" /v Version /d win10 /f >/dev/null
RB_EXPECTED_WINDOWS=10.0 "$wine_run" ./rbinfo_tests_win10.exe --gtest_brief=1 \
    --gtest_filter='CurrentWindows.TheKernel*:OperatingSystemWin32.*' || failed=1
[ "$failed" -eq 0 ] || exit 1
echo "rbInfo.exe: Windows 10, 7 and XP with their own numbers, resolved texts, class-key memories"
