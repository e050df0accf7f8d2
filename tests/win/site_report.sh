#!/usr/bin/env bash
# Runs the report of the sample site folder (through the Wine runner) and compares every page
# it writes with the native build's goldens, byte for byte, and its exit code (1: the sample
# nodes have findings, differences and an unreadable file).
#   site_report.sh GOLDEN_FOLDER COMMAND [ARGS...]   (--output-dir is added)
set -uo pipefail
golden=$1
shift
# A relative folder, which the Windows program reaches as the Linux side does.
out=$(mktemp -d -p build site_report.XXXXXX)
"$@" --output-dir "$out" >/dev/null
rc=$?
if [ "$rc" -eq 77 ]; then
  rm -rf "$out"
  exit 77
fi
status=0
for page in "$golden"/*.html; do
  if ! cmp -s "$page" "$out/$(basename "$page")"; then
    echo "$(basename "$page") differs from $page:"
    diff "$page" "$out/$(basename "$page")" | head -n 20
    status=1
  fi
done
if [ "$(ls "$out" | wc -l)" -ne "$(ls "$golden" | wc -l)" ]; then
  echo "pages written: $(ls "$out" | tr '\n' ' ')"
  status=1
fi
if [ "$rc" -ne 1 ]; then
  echo "exit code $rc, expected 1"
  status=1
fi
rm -rf "$out"
[ "$status" -eq 0 ] && echo "every page and the exit code as the native build's"
exit $status
