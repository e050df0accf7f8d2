#!/usr/bin/env bash
# A private Wine prefix made with another Wine setup (another version, or before 32-bit Wine was
# installed) is made afresh, with one line saying so; one made with this setup is kept.
set -uo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

setup=$(wine_setup)
echo "this machine: $setup"
check "the setup names a Wine version and at least one architecture" \
  '[[ "$setup" == *" win64"* || "$setup" == *" win32"* ]]'

# Made before 32-bit Wine could run (or by another version): removed, and said in one line.
prefix=$work/made-elsewhere
mkdir -p "$prefix/drive_c"
touch "$prefix/system.reg"
echo "wine-7.0 win64" >"$prefix/.hd73-ready"
said=$(renew_wine_prefix "$prefix" 2>&1)
check "a prefix of another setup is removed" '[ ! -e "$prefix" ]'
check "and that is said in one line" '[ "$(wc -l <<<"$said")" -eq 1 ] && [[ "$said" == *"making it afresh"* ]]'

# Left by an older script (no stamp) or unfinished: removed as well.
prefix=$work/unstamped
mkdir -p "$prefix"
touch "$prefix/system.reg"
renew_wine_prefix "$prefix" 2>/dev/null
check "an unstamped prefix is removed" '[ ! -e "$prefix" ]'

# Made with this setup: kept as it is.
prefix=$work/made-here
mkdir -p "$prefix"
touch "$prefix/system.reg"
wine_setup >"$prefix/.hd73-ready"
said=$(renew_wine_prefix "$prefix" 2>&1)
check "a prefix of this setup is kept" '[ -f "$prefix/system.reg" ] && [ -z "$said" ]'

# A folder not made yet (only created by start_wine) is left to be made.
prefix=$work/empty
mkdir -p "$prefix"
renew_wine_prefix "$prefix"
check "an empty folder is left alone" '[ -d "$prefix" ]'

exit $((failures > 0))
