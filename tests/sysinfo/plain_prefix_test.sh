#!/bin/sh
# rbInfo.exe in a Wine prefix as Wine makes it (no "Control" subkey under its device instances):
# the display step finds no adapter, and an unattended collection ends with that error and
# exit code 1. Runs in a prefix of its own, made once.
# usage: plain_prefix_test.sh RBINFO.EXE WINE-RUN.SH PREFIX
set -u
exe=$1
wine_run=$2
export WINEPREFIX=$3
export RBINFO_WINE_DEVICE_CONTROL=0
work=$(mktemp -d)
trap 'rm -rf "$work"; "$wine_run" wineserver -k 2>/dev/null' EXIT
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
