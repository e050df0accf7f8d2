#!/usr/bin/env bash
# Renders the commissioning report of the documented factory file with headless Chromium to a
# PNG (docs/report_factory.png by default), for the README. Not part of ./test.sh.
#   scripts/report_screenshot.sh [OUT.png] [WIDTHxHEIGHT] [SCALE]
# The default shows the page down to the heating curves, at three quarters of the screen size.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

out=${1:-docs/report_factory.png}
size=${2:-800x2500}
scale=${3:-0.75}
need_packages chromium:chromium
tool=build/debug/tools/hd7_3settings
if [ ! -x "$tool" ]; then
  cmake --preset debug >/dev/null
  cmake --build --preset debug -j2 --target hd7_3settings
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" report tests/tools/files/factory.txt --date 7/12-2026 --output "$work/report.html"
# Chromium refuses to run as root inside its sandbox; the page has no script and no link.
chromium --headless --no-sandbox --disable-gpu --disable-background-networking --no-first-run \
  --disable-component-update --disable-sync --hide-scrollbars --force-device-scale-factor="$scale" --user-data-dir="$work/profile" \
  --window-size="${size/x/,}" --screenshot="$work/report.png" "file://$work/report.html" \
  >/dev/null 2>&1
mkdir -p "$(dirname "$out")"
mv "$work/report.png" "$out"
echo "$out"
