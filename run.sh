#!/usr/bin/env bash
# The demo: installs what is missing (Debian), cross-builds the control and the demo host,
# registers the control in a private Wine prefix under the build folder and opens the plug-in
# sheet on the simulated node. With no display it runs under Xvfb and saves a screenshot of
# every tab of both page sets instead. Options are passed to the demo host, e.g.
#   ./run.sh --node-name "Boiler room 2"     ./run.sh --no-node-access --no-node-access2
#   ./run.sh --file settings/Kessel.txt      (offline: the sheet on a NodeSettings file)
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
# A file given with --file or --trace is found from where the command was typed, and named as
# the Windows programs see it.
args=()
while [ $# -gt 0 ]; do
  if { [ "$1" = --file ] || [ "$1" = --trace ]; } && [ $# -gt 1 ]; then
    args+=("$1" "$(wine_path "$2")")
    shift 2
  else
    args+=("$1")
    shift
  fi
done
cd "$(dirname "$0")"
set -- ${args[@]+"${args[@]}"}

need_packages cmake:cmake "${windows_packages[@]}"
need_wine32 || true
jobs=$(nproc 2>/dev/null || echo 2)

for preset in mingw64 mingw32; do
  step "cross build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" --target hd73_ocx hd7_3host
done
echo "32-bit control: build/mingw32/bin/HD7_3.ocx; 64-bit: build/mingw64/bin/HD7_3.ocx"

build=build/mingw64
prefix=$PWD/$build/wineprefix
wine_run() { scripts/wine_run.sh "$prefix" 64 "$@"; }

step "registering the control (Wine prefix $prefix)"
start_wine "$prefix"
trap 'stop_wine "$prefix"' EXIT
wine_run regsvr32 /s "$(wine_path "$build/bin/HD7_3.ocx")"

if [ -n "${DISPLAY:-}" ]; then
  step "opening the plug-in sheet (close it with Exit, then close the demo host)"
  wine_run "$build/bin/hd7_3host.exe" --properties "$@"
else
  shots=$build/screenshots
  rm -rf "$shots"
  step "no display: screenshots of every tab of both page sets into $shots/"
  wine_run "$build/bin/hd7_3host.exe" "$@" --screenshots "$(wine_path "$shots")"
  echo "screenshots: $PWD/$shots/ ($(find "$shots" -name '*.png' | wc -l) PNG files)"
fi
