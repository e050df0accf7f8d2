#!/usr/bin/env bash
# The test command: installs what is missing (Debian), builds the native debug and sanitizer
# builds, checks formatting, and runs every test in both builds. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

need_packages cmake:cmake g++:g++ clang-format:clang-format \
  /usr/include/gtest/gtest.h:libgtest-dev /usr/include/gmock/gmock.h:libgmock-dev \
  /usr/include/benchmark/benchmark.h:libbenchmark-dev

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
step "tests (sanitizers)"
ctest --preset asan -j "$jobs"
