#!/usr/bin/env bash
# The test command: installs what is missing (Debian), builds the native debug and sanitizer
# builds, checks formatting, and runs every test in both builds; cross-builds the control for
# Windows (x86_64 and i686) and runs its end-to-end tests under Wine; builds the core and its
# tests 32-bit and runs them. Ends with CTest's summary, followed by a plain note when a 32-bit
# part could not be run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

need_packages cmake:cmake g++:g++ clang-format:clang-format \
  /usr/include/gtest/gtest.h:libgtest-dev /usr/include/gmock/gmock.h:libgmock-dev \
  /usr/include/benchmark/benchmark.h:libbenchmark-dev makensis:nsis xmllint:libxml2-utils \
  "${windows_packages[@]}"
need_wine32 || true

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

# The same tests built 32-bit with the i686 control's floating-point flags, run directly or under
# qemu's i386 emulator: the 32-bit control's arithmetic, tested on every machine.
step "tests (i686 native build)"
i686_not_run=""
i686_rc=0
i686_log=$(mktemp)
scripts/i686_tests.sh 2>&1 | tee "$i686_log" || i686_rc=$?
[ "$i686_rc" -eq 77 ] && i686_not_run=$(sed -n 's/^NOT RUN: //p' "$i686_log")
rm -f "$i686_log"
[ "$i686_rc" -eq 0 ] || [ "$i686_rc" -eq 77 ] || exit "$i686_rc"
# The download reader and each reader of the settings tool under libFuzzer, 8 s each, with the
# inputs each ran per second; a crash or a failed check fails the run. Needs clang with its
# fuzzer runtime.
step "fuzzing the download reader and the settings tool's readers (40 s)"
fuzzer_works() {
  local probe
  probe=$(mktemp -d)
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$probe/probe.cpp"
  clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
  local status=$?
  rm -rf "$probe"
  return $status
}
need_packages clang:clang || true
if command -v clang++ >/dev/null 2>&1 && ! fuzzer_works; then
  fuzzer_lib="$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-$(uname -m).a"
  need_packages "$fuzzer_lib:libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev" || true
fi
if command -v clang++ >/dev/null 2>&1 && fuzzer_works; then
  cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHD7_3_FUZZ=ON -DHD7_3_TESTS=OFF -DHD7_3_BENCHMARKS=OFF >/dev/null
  fuzz_targets="download settings_file report trace_summary load_file"
  cmake --build build/fuzz -j "$jobs" --target $(printf 'hd73_%s_fuzz ' $fuzz_targets)
  for target in $fuzz_targets; do
    mkdir -p "build/fuzz/corpus/$target"
    fuzz_log="build/fuzz/$target.log"
    fuzz_rc=0
    # Every report walks each tab of the sheet, thousands of coverage counters an input:
    # libFuzzer's entropic schedule, which keeps a frequency for each, cost as much as the
    # report itself, so the report target runs on the plain schedule.
    schedule=""
    [ "$target" != report ] || schedule="-entropic=0"
    "build/fuzz/tests/fuzz/hd73_${target}_fuzz" -max_total_time=8 -print_final_stats=1 $schedule \
      -artifact_prefix=build/fuzz/ "build/fuzz/corpus/$target" "tests/fuzz/corpus/$target" \
      >"$fuzz_log" 2>&1 || fuzz_rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$fuzz_log")
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$fuzz_log")
    if [ "$fuzz_rc" -ne 0 ]; then
      tail -n 40 "$fuzz_log"
      exit "$fuzz_rc"
    fi
    [ "${seconds:-0}" -gt 0 ] || seconds=1
    echo "fuzz $target: ${runs:-0} inputs in $seconds s, $((${runs:-0} / seconds)) a second"
  done
else
  echo "fuzz step SKIPPED: clang with the libFuzzer runtime is not available"
fi
# The Windows builds: HD7_3.ocx, the demo host and the end-to-end tests, run under Wine in each
# build's own prefix with one Xvfb display. i686 runs only where 32-bit Wine can run it; the
# tests say why when they are skipped; the i686 smoke test runs the 32-bit control everywhere.
for preset in mingw64 mingw32; do
  step "cross build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
# The i686 control on every machine: one process works it through several sheets under 32-bit
# Wine, directly or under qemu-user's emulator (registered for this step only), in about two
# minutes directly and ten emulated. A failure stops the run; NOT RUN is reported.
step "i686 smoke test under Wine"
smoke_rc=0
smoke_log=$(mktemp)
scripts/i686_smoke.sh 2>&1 | tee "$smoke_log" || smoke_rc=$?
smoke_line=$(grep -a -m1 -E '^(i686 smoke test under Wine \(|NOT RUN: the i686 smoke test)' \
  "$smoke_log" || echo "the i686 smoke test said nothing (exit code $smoke_rc)")
rm -f "$smoke_log"
[ "$smoke_rc" -eq 0 ] || [ "$smoke_rc" -eq 77 ] || exit "$smoke_rc"

wine32_skipped=""
for preset in mingw64 mingw32; do
  step "tests under Wine ($preset)"
  started=$SECONDS
  wine_rc=0
  start_wine "$PWD/build/$preset/wineprefix"
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" || wine_rc=$?
  stop_wine "$PWD/build/$preset/wineprefix"
  skipped=$(grep -h -m1 '^SKIPPED: ' "build/$preset/Testing/Temporary/LastTest.log" 2>/dev/null ||
    true)
  if [ -n "$skipped" ]; then
    echo "$skipped"
    [ "$preset" = mingw32 ] && wine32_skipped=${skipped#SKIPPED: }
  fi
  echo "Wine step ($preset) took $((SECONDS - started)) s"
  [ "$wine_rc" -eq 0 ] || exit "$wine_rc"
done

# The setup program, built and checked under Wine in a fresh prefix of its own; SKIPPED, with the
# reason, where makensis or 32-bit Wine cannot be had.
step "setup program under Wine"
installer_rc=0
scripts/installer_test.sh || installer_rc=$?
[ "$installer_rc" -eq 0 ] || [ "$installer_rc" -eq 77 ] || exit "$installer_rc"

step "tests (sanitizers)"
ctest --preset asan -j "$jobs"

# A skipped check is no pass: the last lines say how the i686 control ran, and so when a
# 32-bit part was not run.
echo
echo "$smoke_line"
if [ -n "$i686_not_run" ]; then
  echo
  echo "NOT RUN: $i686_not_run"
fi
if [ -n "$wine32_skipped" ]; then
  echo
  echo "NOT RUN: the full Wine suite of the 32-bit control (build/mingw32/bin/HD7_3.ocx):"
  echo "  $wine32_skipped${wine32_missing:+ ($wine32_missing)}"
fi
