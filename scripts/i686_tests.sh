#!/usr/bin/env bash
# The portable core and its native tests built 32-bit (i686), with the floating-point flags of the
# 32-bit Windows control, and run once: directly where the kernel starts 32-bit programs, else
# under qemu's i386 user-mode emulator. This is how every run tests the 32-bit control's
# arithmetic, also on machines that start no 32-bit program.
# Exit codes: 0 every test passed, 1 a test failed or the build failed, 77 it could not run
# (the reason on the line starting "NOT RUN: ").
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

not_run() {
  echo "NOT RUN: the i686 native tests: $*"
  exit 77
}

# g++ -m32 needs the 32-bit C and C++ runtimes (g++-multilib); GoogleTest comes as sources.
compiles_32bit() {
  printf 'int main() { return 0; }\n' | g++ -m32 -x c++ - -o /dev/null >/dev/null 2>&1
}
if ! compiles_32bit; then
  need_packages /usr/share/doc/g++-multilib:g++-multilib || true
  compiles_32bit || not_run "g++ cannot build 32-bit programs here (g++-multilib)"
fi
need_packages /usr/src/googletest/CMakeLists.txt:googletest ||
  not_run "GoogleTest's sources (Debian package googletest) could not be installed"

started=$SECONDS
cmake --preset i686 >/dev/null || exit 1
cmake --build --preset i686 -j "$(nproc 2>/dev/null || echo 2)" --target hd73_tests || exit 1
binary=build/i686/tests/hd73_tests

# How this machine starts the 32-bit program: natively, through an emulator the kernel already
# hands 32-bit programs to, or through qemu-i386 started by hand.
# HD7_3_I686_QEMU=1 takes the emulator even where the kernel starts 32-bit programs.
runner=()
if [ "${HD7_3_I686_QEMU:-0}" != 1 ] && "$binary" --gtest_list_tests >/dev/null 2>&1; then
  how="directly"
  emulated_32bit && how="directly, which this kernel hands to qemu-user's i386 emulator"
else
  need_packages qemu-i386-static:qemu-user-static ||
    not_run "this kernel starts no 32-bit program and qemu-user-static could not be installed"
  runner=(qemu-i386-static)
  "${runner[@]}" "$binary" --gtest_list_tests >/dev/null 2>&1 ||
    not_run "neither this kernel nor qemu-i386-static starts the 32-bit test program"
  how="under qemu-i386-static, qemu's i386 user-mode emulator"
  [ "${HD7_3_I686_QEMU:-0}" = 1 ] || how+=" (this kernel starts no 32-bit program)"
fi
echo "built in $((SECONDS - started)) s; running the i686 native tests $how"

log=build/i686/tests.log
ran=$SECONDS
"${runner[@]}" "$binary" --gtest_brief=1 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\.$/\1/p' "$log")
failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:$/\1/p' "$log")
echo "i686 native tests ($how, $((SECONDS - ran)) s): ${passed:-0} passed, ${failed:-0} failed"
if [ "$rc" -ne 0 ]; then
  echo "i686 native tests FAILED (exit code $rc)"
  exit 1
fi
[ -n "$passed" ] || { echo "i686 native tests: no test ran"; exit 1; }
