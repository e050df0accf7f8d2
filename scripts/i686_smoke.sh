#!/usr/bin/env bash
# The i686 control (build/mingw32/bin/HD7_3.ocx) under 32-bit Wine on every machine, quickly:
# one prefix and three program starts, regsvr32, the test program's "smoke" scenario (one process
# that works the control through several sheets) and regsvr32 /u. It runs directly where the
# kernel starts 32-bit programs. Elsewhere every 32-bit program runs under qemu-user's i386
# emulator, registered with binfmt_misc for this test only (root) and taken away again at the end.
# HD7_3_I686_QEMU=1 takes the emulator even where the kernel would start them.
# Prints exactly one of the lines
#   i686 smoke test under Wine (directly, N s): P passed, F failed
#   i686 smoke test under Wine (under qemu-user, N s): P passed, F failed
#   NOT RUN: the i686 smoke test: <reason>
# Exit codes: 0 every check passed, 1 a check failed, 77 not run.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

bin=build/mingw32/bin
log=build/mingw32/smoke.log

not_run() {
  echo "NOT RUN: the i686 smoke test: $*"
  exit 77
}

[ -f "$bin/HD7_3.ocx" ] && [ -f "$bin/hd73_win_tests.exe" ] ||
  not_run "$bin has no HD7_3.ocx and hd73_win_tests.exe (cmake --build --preset mingw32)"
[ "${HD7_3_NO_WINE32:-0}" = 1 ] && not_run "32-bit Wine is left out on purpose (HD7_3_NO_WINE32=1)"
[ -x /usr/lib/wine/wine ] || not_run "32-bit Wine (wine32:i386) is not installed"
command -v xvfb-run >/dev/null 2>&1 || not_run "xvfb-run (Debian package xvfb) is not installed"
wine64=$(wine64_loader)
[ -n "$wine64" ] || not_run "Wine is not installed"

# One Xvfb display for the three programs.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
started=$SECONDS

# How the 32-bit programs start. Where qemu-user must run them, it is registered with a private
# binfmt_misc of this test's own user and mount namespace (Linux 6.7 and later), so that no other
# program on the machine is handed to it; on older kernels with the machine's binfmt_misc, and
# taken away again on any exit. Either way the prefix is its own: the Wine setup a prefix records
# differs while the emulator is registered.
registered_here=0
prefix=$PWD/build/mingw32/wineprefix
finish() {
  stop_wine "$prefix"
  [ "$registered_here" = 1 ] && unregister_qemu_i386
}
trap finish EXIT
binfmt=/proc/sys/fs/binfmt_misc
if [ "${HD7_3_SMOKE_NAMESPACE:-0}" = 1 ]; then
  # Inside the namespace: its own binfmt_misc, gone with the namespace.
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null && register_qemu_i386 ||
    not_run "qemu-user could not be registered in this test's own namespace"
  prefix=$PWD/build/mingw32/smoke-wineprefix
elif [ "${HD7_3_I686_QEMU:-0}" = 1 ] || ! runs_32bit_programs; then
  need_packages qemu-i386-static:qemu-user-static >/dev/null ||
    not_run "32-bit programs need qemu-user's emulator here and qemu-user-static could not be installed"
  if ! emulated_32bit; then
    if command -v unshare >/dev/null 2>&1 &&
      unshare --user --map-root-user --mount --fork sh -c \
        "mount -t binfmt_misc binfmt_misc $binfmt && test ! -e $binfmt/qemu-i386" 2>/dev/null; then
      trap - EXIT
      HD7_3_SMOKE_NAMESPACE=1 exec unshare --user --map-root-user --mount --fork "$0" "$@"
    fi
    register_qemu_i386 ||
      not_run "qemu-user could not be registered for 32-bit programs (binfmt_misc needs root)"
    registered_here=1
    prefix=$PWD/build/mingw32/smoke-wineprefix
  fi
  runs_32bit_programs || not_run "32-bit Wine does not start under qemu-i386-static"
fi
how=directly
emulated_32bit && how=under\ qemu-user
slow=$(wine32_slowdown)
# Under the emulator the 32-bit save and open dialogs never come up (GetSaveFileNameW stops and
# qemu-i386 crashes when the process ends), while the same build passes directly: that is the
# emulator's, so the test leaves out its file steps there and says so.
if [ "$how" != directly ]; then
  export HD7_3_SMOKE_NO_FILE_DIALOG=1
  echo "under qemu-user the export and download (the save and open dialogs) are left out"
fi

export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Wine stores Windows file names in the Unix character set: the test's non-ASCII folder needs
# a UTF-8 locale.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8* | *utf8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
# A new prefix is finished (its 32-bit part too) before the server is kept for the three.
make_wine_prefix "$prefix" "$wine64"
wineserver -w >/dev/null 2>&1 || true
start_wine "$prefix"

# A program of the three under the 32-bit loader, its output appended to the log (through a
# file: helpers that Wine starts outlive the program and would hold a pipe open).
run32() {
  local limit=$1
  shift
  timeout -k 10 $((limit * slow)) /usr/lib/wine/wine "$@" >>"$log" 2>&1 </dev/null
}
ocx=$(wine_path "$bin/HD7_3.ocx")
# By its path: "wine regsvr32" would start it through start.exe, one more program.
regsvr32='C:\windows\syswow64\regsvr32.exe'

: >"$log"
passed=0
failed=0
count() {  # count STATUS WHAT
  if [ "$1" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "  FAIL  $2 (exit status $1)"
  fi
}

echo "regsvr32" >>"$log"
run32 120 "$regsvr32" /s "$ocx"
count $? "regsvr32 registers the control"

run32 300 "$bin/hd73_win_tests.exe" smoke
rc=$?
# (Its lines end in CR LF, as a Windows program writes them.)
summary=$(tr -d '\r' <"$log" | grep -a -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)
if [ -n "$summary" ]; then
  read -r p _ f _ <<<"$summary"
  passed=$((passed + p))
  failed=$((failed + f))
  tr -d '\r' <"$log" | grep -a '^  FAIL  '
  [ "$rc" -eq 0 ] || [ "$f" -gt 0 ] || count "$rc" "the test program's exit status"
else
  count "$rc" "the test program ran to its end"
  echo "its output ends:"
  tail -n 15 "$log"
fi

echo "regsvr32 /u" >>"$log"
run32 120 "$regsvr32" /s /u "$ocx"
count $? "regsvr32 /u removes the control"

echo "i686 smoke test under Wine ($how, $((SECONDS - started)) s): $passed passed, $failed failed"
[ "$failed" -eq 0 ]
