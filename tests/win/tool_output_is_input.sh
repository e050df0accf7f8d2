#!/usr/bin/env bash
# The Windows settings tool knows its input by the file, not by the name: a report whose
# --output names the input in another case and spelling is refused with exit code 2 and the
# input left whole, while a report to another file is written.
#   tool_output_is_input.sh FACTORY_FILE COMMAND [ARGS...]   (the tool with its runner)
set -uo pipefail
factory=$(realpath "$1")
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
cp "$factory" Kessel.txt
status=0
out=$("$@" report Kessel.txt --output '.\KESSEL.TXT' --date 1/1-2027 2>&1)
rc=$?
[ "$rc" -eq 77 ] && { echo "$out"; exit 77; }
if [ "$rc" -ne 2 ] || ! grep -q 'is the input Kessel.txt: nothing written' <<<"$out"; then
  echo "the output .\\KESSEL.TXT over the input Kessel.txt: exit code $rc, expected 2:"
  echo "$out"
  status=1
fi
cmp -s Kessel.txt "$factory" || { echo "Kessel.txt was written over"; status=1; }
for run in first again; do
  out=$("$@" report Kessel.txt --output Kessel.html --date 1/1-2027 2>&1)
  rc=$?
  if [ "$rc" -ne 0 ] || ! grep -q '</html>' Kessel.html; then
    echo "the report to Kessel.html ($run): exit code $rc, expected 0:"
    echo "$out"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "the output over the input refused, another output written"
exit $status
