#!/bin/bash
# Installs what is needed, builds rbInfo.exe and runs it under Wine: it gathers the inventory
# of the (Wine) computer and writes its text report, which is shown here.
# usage: scripts/main-job.sh [build-root]     (default: ./build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)

sh "$root/scripts/install-deps.sh"
export LANG=C.UTF-8
cmake -S "$root" -B "$out/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
cmake --build "$out/win32" -j2 --target rbInfo

cd "$out/win32"
rm -f SuComputadora.txt
rc=0
./wine-run.sh ./rbInfo.exe /report SuComputadora.txt || rc=$?
./wine-run.sh wineserver -w
if [ "$rc" != 0 ] || [ ! -s SuComputadora.txt ]; then
    echo "rbInfo.exe failed (exit code $rc) or wrote no report" >&2
    exit 1
fi
iconv -f CP1252 -t UTF-8 SuComputadora.txt | tr -d '\r'
