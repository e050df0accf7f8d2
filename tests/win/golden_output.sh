#!/usr/bin/env bash
# Runs a program (through the Wine runner) and compares what it prints with a golden file of
# the native build, byte for byte, and its exit code with the expected one.
#   golden_output.sh GOLDEN EXIT_CODE COMMAND [ARGS...]
set -uo pipefail
golden=$1
expected=$2
shift 2
out=$(mktemp)
"$@" >"$out"
rc=$?
if [ "$rc" -eq 77 ]; then
  cat "$out"
  rm -f "$out"
  exit 77
fi
status=0
if ! cmp -s "$out" "$golden"; then
  echo "output differs from $golden:"
  diff "$golden" "$out" | head -n 40
  status=1
fi
if [ "$rc" -ne "$expected" ]; then
  echo "exit code $rc, expected $expected"
  status=1
fi
rm -f "$out"
[ "$status" -eq 0 ] && echo "output and exit code as the native build's"
exit $status
