#!/bin/sh
# rbInfo.exe under Wine opens the golden package in its report viewer; the Windows test program
# (ViewerDriver) finds the window in the other process, checks it and closes it, then checks and
# closes the main window that opens after it. The program must then end with exit code 0 and no
# message box.
# usage: exe_viewer_test.sh RBINFO.EXE WINE-RUN.SH RBINFO_TESTS.EXE PACKAGE
set -u
exe=$1
wine_run=$2
tests=$3
package=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export RBINFO_MESSAGE_LOG="$work/messages.txt"
fail() { echo "FAIL: $*"; [ -f messages.txt ] && cat messages.txt; exit 1; }

cp "$package" inventario.fzp
"$wine_run" "$exe" inventario.fzp &
program=$!
RBINFO_DRIVE_VIEWER=1 "$wine_run" "$tests" --gtest_filter='ViewerDriver.*' --gtest_color=no ||
    { kill "$program" 2>/dev/null; fail "the viewer was not shown as expected"; }
wait "$program" || fail "rbInfo.exe inventario.fzp: exit code $?"
[ ! -s messages.txt ] || fail "a message box was shown"
echo "rbInfo.exe showed the package in its viewer and ended after it closed"
