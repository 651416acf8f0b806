#!/bin/sh
# The remote-call cases of the end-to-end tests (ServiceEndToEnd.*) in the Windows test
# program, over WinInet under Wine, against the native reference service on 127.0.0.1 (the
# tests' own build of it, with the routes that misbehave on purpose).
# usage: wine_channel_test.sh KESTRIN-TEST-SERVICE RBINFO_TESTS.EXE WINE-RUN.SH
# Exit code 77 (skipped) when the service has not been built.
set -eu
service=$1
tests=$2
wine_run=$3
. "$(dirname "$0")/service_helpers.sh"
require_service "$service"
start_service_in_work "$service"

rc=0
RBINFO_TEST_SERVICE_URL=$service_url timeout -k 10 300 "$wine_run" "$tests" --gtest_color=no \
    --gtest_filter='ServiceEndToEnd.*:WindowsEndToEnd.*' >"$work/out.txt" 2>&1 || rc=$?
tr -d '\r' <"$work/out.txt"
[ "$rc" = 0 ] || { echo "the Windows test program failed (exit code $rc)"; exit 1; }
if grep -q '^\[  SKIPPED \]' "$work/out.txt" || ! grep -q '^\[  PASSED  \] [1-9]' "$work/out.txt"; then
    echo "the end-to-end cases did not all run"
    exit 1
fi
