#!/bin/bash
# Installs what is needed, builds both targets (native and 32-bit Windows) and runs every test:
# natively, then the Windows test program and rbInfo.exe under Wine inside one Xvfb display.
# usage: scripts/test.sh [build-root]     (default: ./build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)

sh "$root/scripts/install-deps.sh"
. "$root/scripts/windows-test-build.sh"

export LANG=C.UTF-8   # code page 1252 inside Wine, UTF-8 file names
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

cmake -S "$root" -B "$out/native" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$out/native" -j2
# The Windows tests that talk to the reference service start it from the native build.
cmake -S "$root" -B "$out/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" \
      -DRBINFO_NATIVE_BUILD_DIR="$out/native"
cmake --build "$out/win32" -j2
wt=$(windows_test_arch)
windows_test_reason
if [ "$wt" = win64 ]; then
    cmake -S "$root" -B "$out/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$(windows_toolchain "$root" win64)" \
          -DRBINFO_NATIVE_BUILD_DIR="$out/native"
    cmake --build "$out/win64" -j2
fi

rc=0
(cd "$out/native" && ctest --output-on-failure -j2 --timeout 600) || rc=1

# Everything that talks to Wine runs inside one Xvfb; this prefix's server is stopped before
# Xvfb goes away.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh -c '
    cd "$1" && ctest --output-on-failure -j2 --timeout 600; rc=$?
    ./wine-run.sh wineserver -k 2>/dev/null; ./wine-run.sh wineserver -w
    exit $rc' sh "$out/$wt" || rc=1

# Every fuzz target for a fixed number of runs (clang, sanitizers): a fault fails the run.
echo "Fuzz smoke run:"
bash "$root/scripts/fuzz.sh" smoke "$out/fuzz" || rc=1

# How many tests ran on each side, from the GoogleTest summaries in ctest's logs.
count() {  # log, word -> number of tests in "[  WORD  ] N test(s)" lines
    # (no such line is no failure: with pipefail a grep that finds nothing would end the script)
    { grep -a -E "^\[  $2  \] [0-9]+ tests?" "$1" 2>/dev/null || true; } | tr -d '\r' |
        awk '{ n += $4 } END { print n + 0 }'
}
nlog="$out/native/Testing/Temporary/LastTest.log"
wlog="$out/$wt/Testing/Temporary/LastTest.log"
np=$(count "$nlog" PASSED); nf=$(count "$nlog" FAILED)
wp=$(count "$wlog" PASSED); wf=$(count "$wlog" FAILED)
echo "Native (g++): $np tests passed, $nf failed"
echo "Windows (mingw $wt, under Wine): $wp tests passed, $wf failed"
echo "($(windows_test_reason))"
echo "$((np + wp)) passed, $((nf + wf)) failed"
exit $rc
