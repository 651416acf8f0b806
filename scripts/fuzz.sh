#!/bin/bash
# Builds the fuzz targets (clang, address and undefined-behaviour sanitizers) and runs them.
#   scripts/fuzz.sh smoke [build-folder]            every target, a fixed number of runs (CI)
#   scripts/fuzz.sh long SECONDS [build-folder]     every target in turn, up to SECONDS each
#                                                   (or 10 million runs); corpus kept between runs
#   scripts/fuzz.sh seeds [build-folder]            writes fuzz/corpus/ again with make_seeds
# Default build folder: build/fuzz. A crash, leak or sanitizer report fails the run; its input
# is left in the build folder (crash-*, leak-*, oom-*) and its report in logs/<target>.log.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-smoke}
seconds=0
if [ "$mode" = long ]; then seconds=${2:?seconds}; shift; fi
out=${2:-$root/build/fuzz}
mkdir -p "$out"
out=$(cd "$out" && pwd)
targets="xml_node document package request_file reply serializer service"
dict_of() {
    case $1 in
        xml_node|document) echo xml ;;
        request_file) echo request ;;
        package) echo "" ;;
        *) echo message ;;
    esac
}

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DRBINFO_FUZZ=ON \
      -DBUILD_TESTING=OFF >"$out.configure.log" 2>&1 || { cat "$out.configure.log"; exit 1; }
names=""
for t in $targets; do names="$names ${t}_fuzz"; done
cmake --build "$out" -j2 --target $names make_seeds >"$out.build.log" 2>&1 ||
    { tail -n 40 "$out.build.log"; exit 1; }

if [ "$mode" = seeds ]; then
    rm -rf "$root/fuzz/corpus"
    exec "$out/fuzz/make_seeds" "$root"
fi

mkdir -p "$out/logs" "$out/corpus"
rc=0
for t in $targets; do
    work="$out/corpus/$t"
    mkdir -p "$work"
    d=$(dict_of "$t")
    args=(-seed=1 -max_len=65536 -rss_limit_mb=2048 -timeout=30 -artifact_prefix="$out/$t-")
    [ -n "$d" ] && args+=(-dict="$root/fuzz/dict/$d.dict")
    if [ "$mode" = long ]; then
        args=(-max_total_time="$seconds" -runs=10000000 -rss_limit_mb=2048 -timeout=30
              -max_len=65536 -artifact_prefix="$out/$t-" -print_final_stats=1)
        [ -n "$d" ] && args+=(-dict="$root/fuzz/dict/$d.dict")
    else
        args+=(-runs=3000)
    fi
    (cd "$out" && "$out/fuzz/${t}_fuzz" "${args[@]}" "$work" "$root/fuzz/corpus/$t") \
        >"$out/logs/$t.log" 2>&1
    status=$?
    runs=$(grep -a -o 'Done [0-9]* runs' "$out/logs/$t.log" | tail -n 1 | awk '{print $2}')
    cov=$(grep -a -o 'cov: [0-9]*' "$out/logs/$t.log" | tail -n 1 | awk '{print $2}')
    if [ $status -eq 0 ]; then
        echo "fuzz $t: ${runs:-?} runs, coverage ${cov:-?}, no fault"
    else
        echo "fuzz $t: FAULT (exit $status), see $out/logs/$t.log"
        grep -a -m 3 -E 'ERROR|runtime error|SUMMARY' "$out/logs/$t.log"
        rc=1
    fi
done
exit $rc
