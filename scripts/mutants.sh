#!/usr/bin/env bash
# Mutation testing of the native tests: makes one small fault at a time in the product sources
# (nvdata, settingsfile and pages unless folders are given), rebuilds the native debug build,
# runs the native tests and reports each mutant as KILLED or SURVIVED, with the score.
#   scripts/mutants.sh [-n 60] [-s SEED] [-t SECONDS_PER_RUN] [--list] [--within PATH] [FOLDER ...]
# Not part of ./test.sh. The sources are restored after every mutant and on an interrupt.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need_packages python3:python3 cmake:cmake g++:g++ make:make \
  /usr/include/gtest/gtest.h:libgtest-dev /usr/include/gmock/gmock.h:libgmock-dev \
  /usr/include/benchmark/benchmark.h:libbenchmark-dev
if ! git diff --quiet -- nvdata settingsfile pages framework control resources sim; then
  echo "mutants: commit or stash your changes to the sources first" >&2
  exit 2
fi
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
build/debug/tests/hd73_tests --gtest_brief=1 >/dev/null || {
  echo "mutants: the native tests fail before any mutation" >&2
  exit 2
}
exec python3 scripts/mutants.py "$@"
