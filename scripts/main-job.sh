#!/bin/bash
# Installs what is needed, builds the reference collecting service (native) and rbInfo.exe,
# starts the service on a free loopback port, runs rbInfo.exe unattended under Wine against it
# ("rbInfo.exe NAME /auto": it gathers the inventory of the (Wine) computer and delivers it),
# then shows what the service stored: the list of inventories, and the header and text report
# of the one received. The database and an exported package stay in BUILD-ROOT/main-job.
# usage: scripts/main-job.sh [build-root] [name]     (defaults: ./build, "Juan")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build}
name=${2:-Juan}
mkdir -p "$out"
out=$(cd "$out" && pwd)

sh "$root/scripts/install-deps.sh"
. "$root/scripts/windows-test-build.sh"
wt=$(windows_test_arch)  # win64 where 32-bit Wine cannot run here
windows_test_reason | sed 's/the Windows tests run/the main job runs/'
export LANG=C.UTF-8
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY  # the service is on this machine
cmake -S "$root" -B "$out/native" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$out/native" -j2 --target kestrin-service
cmake -S "$root" -B "$out/$wt" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$(windows_toolchain "$root" "$wt")"
cmake --build "$out/$wt" -j2 --target rbInfo

service="$out/native/service/kestrin-service"
job="$out/main-job"
db="$job/inventarios.db"
mkdir -p "$job"
rm -f "$db" "$db-wal" "$db-shm" "$job/inventario-1.fzp"

. "$root/tests/service/service_helpers.sh"
trap stop_service EXIT
start_service "$service" "$db"
echo "Reference service at $service_url"

cd "$out/$wt"
rc=0
RBINFO_SERVICE_URL=$service_url timeout -k 10 600 ./wine-run.sh ./rbInfo.exe "$name" /auto || rc=$?
./wine-run.sh wineserver -w
stop_service
if [ "$rc" != 0 ]; then
    echo "rbInfo.exe failed (exit code $rc)" >&2
    exit 1
fi

echo
echo "== What the service stored (kestrin-service list) =="
"$service" list --db "$db"
echo
echo "== The inventory received (kestrin-service show) =="
"$service" show --db "$db" 1
"$service" export --db "$db" 1 "$job/inventario-1.fzp"
