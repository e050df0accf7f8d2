#!/usr/bin/env bash
# The report of a whole site folder, timed: sites of 50, 100, 200 and 500 generated node files
# (the sample files in turn, each node named apart), each reported against the factory file.
# Prints the CPU time (user + system) of each run, which other programs on the machine do not
# stretch as they stretch the wall-clock time.
#   scripts/site_bench.sh [TOOL] [COUNTS...]
# TOOL defaults to the release build's hd7_3settings (cmake --preset release && cmake --build
# --preset release --target hd7_3settings).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/release/tools/hd7_3settings}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(50 100 200 500)
[ -x "$tool" ] || { echo "site_bench: no tool at $tool" >&2; exit 2; }
samples=(factory service calendars)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in "${counts[@]}"; do
  site="$work/site$n"
  mkdir -p "$site"
  for ((i = 1; i <= n; i++)); do
    sample=tests/tools/files/${samples[i % ${#samples[@]}]}.txt
    sed "s/^- Boiler room 2/- Node $i/" "$sample" >"$site/node$(printf %04d "$i").txt"
  done
  TIMEFORMAT='%U %S'
  cpu=$({ time "$tool" report --site-folder "$site" --against tests/tools/files/factory.txt \
    --date 7/12-2026 --output-dir "$work/out$n" >/dev/null 2>&1 || [ $? -eq 1 ]; } 2>&1)
  pages=$(find "$work/out$n" -name '*.html' | wc -l)
  awk -v n="$n" -v cpu="$cpu" -v pages="$pages" 'BEGIN {
    split(cpu, t, " "); s = t[1] + t[2];
    printf "%4d node files: %6.2f s CPU (user + sys), %.1f ms a node, %d pages written\n",
           n, s, 1000 * s / n, pages }'
done
