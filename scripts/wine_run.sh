#!/usr/bin/env bash
# Runs a Windows program of a cross build under Wine, in the build's private prefix.
#   wine_run.sh PREFIX BITS PROGRAM [ARGS...]
# The prefix is made on first use (crash dialog off, no Mono or Gecko installer). Without a
# display the program runs under Xvfb. A 32-bit program on a machine whose Wine cannot run 32-bit
# code is not run: the script says why and exits 77, which the tests count as skipped.
set -uo pipefail

prefix=$1
bits=$2
shift 2

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Wine stores Windows file names in the Unix character set: without a UTF-8 locale (a bare
# system has none set) a name such as "Jörg" cannot be made at all.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8* | *utf8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac

source "$(dirname "$0")/common.sh"

# 64-bit programs (and the making of the prefix) go to the 64-bit loader, 32-bit ones to the
# "wine" command, which picks the 32-bit loader when wine32 is installed.
wine64_cmd=$(wine64_loader)
if [ -z "$wine64_cmd" ]; then
  echo "wine_run: Wine is not installed" >&2
  exit 1
fi
wine_cmd=$wine64_cmd
[ "$bits" = 32 ] && wine_cmd=$(command -v wine || echo "$wine64_cmd")

# Without a display: one Xvfb for this program and everything it starts.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$prefix" "$bits" "$@"
fi

make_wine_prefix "$prefix" "$wine64_cmd"

# Wine may start a 32-bit program and silently do nothing with it when its 32-bit part is
# missing, so it is asked to run the program's probe and must answer.
if [ "$bits" = 32 ] && [ "${HD7_3_NO_WINE32:-0}" = 1 ]; then
  echo "SKIPPED: 32-bit Wine is left out on purpose (HD7_3_NO_WINE32=1)"
  exit 77
fi
if [ "$bits" = 32 ] && emulation_not_asked; then
  echo "SKIPPED: 32-bit programs start here only under qemu-user's emulator, about a minute each" \
    "(HD7_3_EMULATE_32BIT=1 runs them that way)"
  exit 77
fi
# Under emulation every limit is stretched.
slow=1
[ "$bits" = 32 ] && slow=$(wine32_slowdown)
if [ "$bits" = 32 ]; then
  probe_log=$(mktemp)
  WINEDEBUG=err+all timeout $((60 * slow)) "$wine_cmd" "$1" --probe >"$probe_log" 2>&1 </dev/null
  probe=$(cat "$probe_log")
  rm -f "$probe_log"
  if ! grep -q 'hd73-probe-ok' <<<"$probe"; then
    reason=$(grep -m1 -iE 'wine32|wow64|not supported|bad exe|exec format|kernel32' <<<"$probe" || true)
    echo "SKIPPED: 32-bit Wine cannot run i686 programs on this machine (${reason:-no answer from the probe})"
    exit 77
  fi
fi

# Under a test runner (HD7_3_WINE_TIMEOUT set) the program's output goes through a file: the
# helpers Wine starts with the first program of a prefix (services, the desktop) outlive it and
# would otherwise keep the runner's output pipe open. The program gets that many seconds.
if [ -z "${HD7_3_WINE_TIMEOUT:-}" ]; then
  exec "$wine_cmd" "$@"
fi
log=$(mktemp)
timeout -k 10 $((HD7_3_WINE_TIMEOUT * slow)) "$wine_cmd" "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
rm -f "$log"
case $rc in
  0 | 1 | 77) ;;
  124 | 137) echo "wine_run: $1 did not finish within $((HD7_3_WINE_TIMEOUT * slow)) s" >&2 ;;
  *) echo "wine_run: $1 ended with status $rc" >&2 ;;
esac
exit $rc
