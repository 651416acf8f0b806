#!/bin/sh
# rbInfo.exe follows the Windows version Wine reports to it: for Windows XP, 2000 and 98 in
# turn, the text report of a full collection must show that system's platform, version
# numbers and service pack, and the values of that family's registry keys.
# usage: winver_matrix_test.sh RBINFO.EXE WINE-RUN.SH
set -eu
exe=$1
wine_run=$2
app_key='HKCU\Software\Wine\AppDefaults\rbInfo.exe'
# The Windows 95/98/ME family reads its version name here ("Version"); NT reads "CurrentType"
# of its own key. Wine has no "Version" value, so a marker shows which key was read.
win_key='HKLM\Software\Microsoft\Windows\CurrentVersion'
marker='Windows 98 (prueba)'
work=$(mktemp -d)
added_marker=no

cleanup() {
    "$wine_run" reg delete "$app_key" /f >/dev/null 2>&1 || true
    if [ "$added_marker" = yes ]; then
        "$wine_run" reg delete "$win_key" /v Version /f >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
cd "$work"

# (A marker left by an interrupted run is taken over.)
if existing=$("$wine_run" reg query "$win_key" /v Version 2>/dev/null) &&
    ! printf '%s' "$existing" | grep -qF "$marker"; then
    echo "the prefix has its own $win_key Version; not overwriting it"
    exit 1
fi
"$wine_run" reg add "$win_key" /v Version /d "$marker" /f >/dev/null
added_marker=yes

failed=0
# expect FILE LINE...: every line must appear in the report as it is.
expect() {
    file=$1
    shift
    for line in "$@"; do
        grep -qxF -- "$line" "$file" || { echo "$file: missing line '$line'"; failed=1; }
    done
}

report() {
    "$wine_run" reg add "$app_key" /v Version /d "$1" /f >/dev/null
    "$wine_run" "$exe" /report "$1.txt"
    tr -d '\r' < "$1.txt" > "$1"
    expect "$1" '[Machine]' '[Operating System]' '[NT Specific]' '[Time Zone]' '[Memory]'
    # The machine section ran to its end (on 98 after probing the BIOS area).
    grep -q '^Computer=' "$1" || { echo "$1: machine section incomplete"; failed=1; }
    grep -q '^PhysMemTotal=[1-9]' "$1" || { echo "$1: no memory figures"; failed=1; }
    grep -q '^TimeZone=.' "$1" || { echo "$1: time zone not found in the zone list"; failed=1; }
}

# NT describes its BIOS in the registry; 98 reads the BIOS area, which Wine maps for it with
# only a date in it.
report winxp
expect winxp 'BIOS name=AT compatible' 'Platform=Windows NT' 'Version=5.1' 'BuildNumber=2600' \
    'CSD=Service Pack 3' 'VersionName=Uniprocessor Free' 'ProductType=Workstation' \
    'ServicePackMajorVersion=3'

report win2k
expect win2k 'BIOS name=AT compatible' 'Platform=Windows NT' 'Version=5.0' 'BuildNumber=2195' \
    'CSD=Service Pack 4' 'VersionName=Uniprocessor Free' 'ProductType=Workstation' \
    'ServicePackMajorVersion=4'

report win98
# Build 2222 sits in the low word of the 95/98 build field; the service-pack text is " A ".
# The BIOS name comes from the BIOS area (empty there), not from NT's registry text.
expect win98 'BIOS name=' 'Platform=Windows 9x' 'Version=4.10' 'BuildNumber=2222' 'CSD= A ' \
    "VersionName=$marker" 'ProductType=Unknown' 'ServicePackMajorVersion=0'

if [ "$failed" -ne 0 ]; then
    for v in winxp win2k win98; do
        echo "--- $v"
        sed -n '/^\[Operating System\]/,/^\[Environment\]/p' "$v"
    done
    exit 1
fi
echo "rbInfo.exe: Windows XP, 2000 and 98 each reported as themselves"
