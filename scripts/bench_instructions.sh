#!/usr/bin/env bash
# Instructions per iteration of every benchmark, counted by callgrind: repeatable whatever else
# the machine is doing. Builds the release preset first. The count includes each benchmark's own
# set-up (a sheet, a node), spread over the iterations (default 1000; the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need_packages valgrind:valgrind cmake:cmake g++:g++ /usr/include/benchmark/benchmark.h:libbenchmark-dev
iterations=${1:-1000}
cmake --preset release >/dev/null
cmake --build --preset release --target hd73_bench -j "$(nproc)" >/dev/null
bench=build/release/bench/hd73_bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-36s %14s\n' benchmark instructions/iteration
for name in $("$bench" --benchmark_list_tests | sed 's|/.*||'); do
  HD7_3_BENCH_ITERATIONS=$iterations valgrind --tool=callgrind --collect-atstart=no \
    "--toggle-collect=*${name}*" --callgrind-out-file="$out/cg" \
    "$bench" "--benchmark_filter=^${name}(/|$)" >/dev/null 2>"$out/log"
  total=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out/log")
  printf '%-36s %14d\n' "$name" $((total / iterations))
done
