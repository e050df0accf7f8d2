#!/usr/bin/env bash
# The test command: installs what is missing (Debian), builds the native debug and sanitizer
# builds, checks formatting, and runs every test in both builds; cross-builds the control for
# Windows (x86_64 and i686) and runs its end-to-end tests under Wine. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

need_packages cmake:cmake g++:g++ clang-format:clang-format \
  /usr/include/gtest/gtest.h:libgtest-dev /usr/include/gmock/gmock.h:libgmock-dev \
  /usr/include/benchmark/benchmark.h:libbenchmark-dev "${windows_packages[@]}"

jobs=$(nproc 2>/dev/null || echo 2)

step "formatting"
check_format

for preset in debug asan; do
  step "build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

step "tests (debug)"
ctest --preset debug -j "$jobs" 2>&1 | tail -n 4
# The Windows builds: HD7_3.ocx, the demo host and the end-to-end tests, run under Wine in each
# build's own prefix with one Xvfb display. i686 runs only where 32-bit Wine can run it; the
# tests say why when they are skipped.
for preset in mingw64 mingw32; do
  step "cross build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
for preset in mingw64 mingw32; do
  step "tests under Wine ($preset)"
  started=$SECONDS
  wine_rc=0
  start_wine "$PWD/build/$preset/wineprefix"
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" || wine_rc=$?
  stop_wine "$PWD/build/$preset/wineprefix"
  grep -h -m1 '^SKIPPED: ' "build/$preset/Testing/Temporary/LastTest.log" 2>/dev/null || true
  echo "Wine step ($preset) took $((SECONDS - started)) s"
  [ "$wine_rc" -eq 0 ] || exit "$wine_rc"
done

step "tests (sanitizers)"
ctest --preset asan -j "$jobs"
