#!/usr/bin/env bash
# The setup program under Wine, in a fresh private prefix (build/installer/wineprefix):
#  1. an older version is installed silently into a folder of its own, then this version over it
#     and over itself again: one "Apps & features" entry with this version, the files in place,
#     both controls registered in their registry views, the control created by its program ID;
#  2. the uninstaller, and the setup program, refuse while a client has the control loaded, and
#     change nothing;
#  3. the silent uninstall leaves no key of the control, no file and no entry.
# Needs makensis and 32-bit Wine; without makensis it says SKIPPED and why (exit 77). Where Wine
# cannot run 32-bit programs, the setup program cannot run either: the 32-bit part is reported
# as SKIPPED and a 64-bit build of the same script (X64_ONLY) is checked instead.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

if ! command -v makensis >/dev/null 2>&1; then
  echo "SKIPPED: makensis (Debian package nsis) is not installed"
  exit 77
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

out=$PWD/build/installer
started=$SECONDS
# Each step says when it starts, in seconds since the check began.
phase() { step "$* (at $((SECONDS - started)) s)"; }
phase "building the setup program"
cmake --preset installer >/dev/null || exit 1
cmake --build --preset installer || exit 1
version=$(sed -n 's/^ *!define VERSION "\(.*\)"$/\1/p' "$out/defines.nsh")
setup=$out/HD7_3-$version-setup.exe
[ -f "$setup" ] || { echo "FAIL: no setup program $setup" >&2; exit 1; }

prefix=$out/wineprefix
stop_wine "$prefix"
rm -rf "$prefix" "$prefix.lock"
start_wine "$prefix"
trap 'stop_wine "$prefix"' EXIT
export HD7_3_WINE_TIMEOUT=120
w() { scripts/wine_run.sh "$prefix" 64 "$@"; }

phase "a fresh Wine prefix; can it run 32-bit programs?"
if ! scripts/wine_run.sh "$prefix" 64 build/mingw64/bin/hd73_win_tests.exe --probe 2>&1 |
  grep -q hd73-probe-ok; then
  echo "SKIPPED: Wine cannot run the x86_64 build's programs on this machine"
  exit 77
fi
mode=full
probe=$(scripts/wine_run.sh "$prefix" 32 build/mingw32/bin/hd73_win_tests.exe --probe 2>&1)
if [ $? -eq 77 ]; then
  mode=x64only
  skipped_32=$(grep -m1 '^SKIPPED' <<<"$probe")
  echo "$skipped_32"
  echo "SKIPPED: the 32-bit part of the installer check (the setup program itself, the i686" \
    "control and its registration); checking a 64-bit build of the same script instead"
fi

# The setup program and its uninstaller are 32-bit programs: under an emulated 32-bit Wine each
# run gets the stretched limit.
[ "$mode" = full ] && export HD7_3_WINE_TIMEOUT=$((120 * $(wine32_slowdown)))

# The setup programs under test: this version and an older one, made from the same script.
older=$out/HD7_3-0.9.0.0-setup.exe
# (Quicker to pack than the shipped one; what they install is the same.)
nsis_args=(-V1 "-XSetCompressor /FINAL zlib" "-DDEFINES=$out/defines.nsh")
if [ "$mode" = x64only ]; then
  nsis_args+=(-DX64_ONLY)
  setup=$out/HD7_3-$version-x64only-setup.exe
  older=$out/HD7_3-0.9.0.0-x64only-setup.exe
  makensis "${nsis_args[@]}" "-DOUTFILE=$setup" installer/hd7_3.nsi || exit 1
  client=build/mingw64/bin/hd73_win_tests.exe
else
  client=build/mingw32/bin/hd73_win_tests.exe
fi
makensis "${nsis_args[@]}" -DVERSION=0.9.0.0 "-DOUTFILE=$older" installer/hd7_3.nsi || exit 1

# The files of the prefix outside Windows' own folder and the temporary folders: what an
# installation adds there and its removal must take away again.
files_outside_windows() {
  (cd "$prefix/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o \
    -print | sort)
}

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "  ok    $what"
  else
    echo "  FAIL  $what"
    failures=$((failures + 1))
  fi
}
equal() {
  if [ "$2" = "$3" ]; then
    echo "  ok    $1 is \"$3\""
  else
    echo "  FAIL  $1 is \"$3\"; seen: \"$2\""
    failures=$((failures + 1))
  fi
}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
clsid='{0E9CB421-B4C0-49DE-A454-80AD3DB1B310}'
libid='{DD43B166-32C0-435C-8119-207F2C2C07DD}'
progid='HD7_3.HD7_3Ctrl.1'
views=(32 64)
[ "$mode" = x64only ] && views=(64)

# One look at the registry, in one Wine process: the control's class, program ID and type
# library keys and the "Apps & features" entries, each in the 32- and the 64-bit view.
snapshot() {
  local view queries=""
  for view in 32 64; do
    queries+="echo ==class$view& reg query HKCR\\CLSID\\$clsid /s /reg:$view& "
    queries+="echo ==progid$view& reg query HKCR\\$progid /s /reg:$view& "
    queries+="echo ==typelib$view& reg query HKCR\\TypeLib\\$libid /s /reg:$view& "
    queries+="echo ==entries$view& reg query $uninstall_key /s /reg:$view& "
  done
  registry=$(w cmd /c "${queries}echo ==end" 2>/dev/null | tr -d '\r')
}
# section NAME: what the snapshot's query NAME printed.
section() { awk -v s="==$1" '/^==/ { sub(/ +$/, ""); on = ($0 == s); next } on' <<<"$registry"; }
# value SECTION KEY [NAME]: one value (without NAME: the default value) of a key in the snapshot.
# The key is named as in the 64-bit view; a 32-bit view may show it under Wow6432Node.
value() {
  # (The key goes through the environment: awk -v would take its backslashes as escapes.)
  section "$1" | KEY=$2 NAME=${3:-(Default)} awk -F '    ' '
    BEGIN { key = ENVIRON["KEY"]; name = ENVIRON["NAME"] }
    /^HKEY_/ { k = tolower($0); sub(/\\wow6432node/, "", k); inkey = (k == tolower(key)); next }
    inkey && $2 == name { v = $4; for (i = 5; i <= NF; i++) v = v "    " $i; print v; exit }'
}
# entries: the "Apps & features" entries of this product, in both views together.
entries() {
  echo $(($(section entries32 | grep -c 'DisplayName    REG_SZ    HD7_3 Control') +
    $(section entries64 | grep -c 'DisplayName    REG_SZ    HD7_3 Control')))
}
# progid_class VIEW: the class a host of that bitness finds by the program ID. On Windows the
# program ID keys under HKCR are shared between the 32- and the 64-bit view. A Wine prefix may
# keep them in the view that wrote them only, where the other view's reg.exe does not see them
# while its COM still finds them (the 32-bit client creates the control by its program ID below).
progid_class() {
  local other=64 class
  [ "$1" = 64 ] && other=32
  class=$(value "progid$1" "HKEY_CLASSES_ROOT\\$progid\\CLSID")
  [ -n "$class" ] || class=$(value "progid$other" "HKEY_CLASSES_ROOT\\$progid\\CLSID")
  echo "$class"
}
has_keys() { section "$1" | grep -q '^HKEY_'; }
no_keys() { ! has_keys "$1"; }
# same_files A B [C D]: A is byte for byte B (and C is D).
same_files() {
  cmp -s "$1" "$2" || return 1
  [ $# -lt 4 ] || cmp -s "$3" "$4"
}
unix_path() { printf '%s/drive_c/%s' "$prefix" "$(sed 's|^C:\\||; s|\\|/|g' <<<"$1")"; }

# The controls' registration and the files, for an installation in the Windows folder $1.
check_installed() {
  local loc=$1 dir view ocx
  dir=$(unix_path "$loc")
  snapshot
  equal "the number of entries" "$(entries)" 1
  local entry=entries32 key="HKEY_LOCAL_MACHINE${uninstall_key#HKLM}\\HD7_3"
  [ "$mode" = x64only ] && entry=entries64
  equal "InstallLocation" "$(value $entry "$key" InstallLocation)" "$loc"
  equal "DisplayVersion" "$(value $entry "$key" DisplayVersion)" "$version"
  equal "Publisher" "$(value $entry "$key" Publisher)" "HD7_3 project"
  equal "UninstallString" "$(value $entry "$key" UninstallString)" "\"$loc\\uninstall.exe\""
  for view in "${views[@]}"; do
    ocx="$loc\\HD7_3.ocx"
    [ "$view" = 64 ] && ocx="$loc\\x64\\HD7_3.ocx"
    equal "InprocServer32 of the class ($view-bit view)" \
      "$(value class$view "HKEY_CLASSES_ROOT\\CLSID\\$clsid\\InprocServer32")" "$ocx"
    equal "the node program ID ($view-bit view)" \
      "$(value class$view "HKEY_CLASSES_ROOT\\CLSID\\$clsid\\Node\\ProgramID")" \
      "90 48 44 37 5F 33 42 2A"
    equal "the ProgID's class ($view-bit view)" "$(progid_class $view)" "$clsid"
    check "the type library is registered ($view-bit view)" has_keys typelib$view
  done
  check "README.md and uninstall.exe are installed" test -f "$dir/README.md" -a -f "$dir/uninstall.exe"
  check "the x86_64 control and demo host are this build's" \
    same_files "$dir/x64/HD7_3.ocx" build/mingw64/bin/HD7_3.ocx \
    "$dir/x64/hd7_3host.exe" build/mingw64/bin/hd7_3host.exe
  if [ "$mode" = full ]; then
    check "the i686 control and demo host are this build's" \
      same_files "$dir/HD7_3.ocx" build/mingw32/bin/HD7_3.ocx \
      "$dir/hd7_3host.exe" build/mingw32/bin/hd7_3host.exe
  fi
  if [ -f build/mingw32/bin/hd7_3settings.exe ] && [ "$mode" = full ]; then
    check "the NodeSettings tool is installed" same_files "$dir/hd7_3settings.exe" \
      build/mingw32/bin/hd7_3settings.exe
  fi
  # The version of the entry is the one in the control's version resource.
  local resource
  resource=$(strings -el "$dir/x64/HD7_3.ocx" | grep -A1 -x FileVersion | tail -n 1)
  equal "the control's FileVersion, as the entry's version" "${resource//, /.}" "$version"
}

# (Without a space: Wine would quote the argument, and /D= is taken only unquoted.)
loc='C:\HD7_3_earlier'
files_before=$(files_outside_windows)
phase "silent install of version 0.9.0.0 into $loc"
w "$older" /S "/D=$loc"
equal "the setup program's exit code" "$?" 0
snapshot
equal "DisplayVersion of the older installation" "$(value entries${views[0]} \
  "HKEY_LOCAL_MACHINE${uninstall_key#HKLM}\\HD7_3" DisplayVersion)" 0.9.0.0
equal "InstallLocation of the older installation" "$(value entries${views[0]} \
  "HKEY_LOCAL_MACHINE${uninstall_key#HKLM}\\HD7_3" InstallLocation)" "$loc"

phase "silent install of $version over it (it stays in $loc)"
w "$setup" /S
equal "the setup program's exit code" "$?" 0
check_installed "$loc"

phase "a client creates the control by its ProgID"
ocx="$loc\\HD7_3.ocx"
[ "$mode" = x64only ] && ocx="$loc\\x64\\HD7_3.ocx"
HD7_3_EXPECT_OCX=$ocx w "$client" installed
equal "the client's exit code" "$?" 0

phase "silent install of $version over itself"
w "$setup" /S
equal "the setup program's exit code" "$?" 0
check_installed "$loc"

phase "the uninstaller and the setup program while a client has the control loaded"
release=$out/release-control
rm -f "$release"
held_log=$out/held-control.log
(HD7_3_WINE_TIMEOUT='' HD7_3_HOLD_UNTIL=$(wine_path "$release") HD7_3_EXPECT_OCX=$ocx \
  scripts/wine_run.sh "$prefix" 64 "$client" installed >"$held_log" 2>&1) &
holder=$!
# Wait for the line that says the control is loaded, for as long as the client may take to start
# (its Wine limit), or until it has ended without it.
for _ in $(seq 1 $((10 * ${HD7_3_WINE_TIMEOUT:-120}))); do
  grep -q 'holding the control' "$held_log" && break
  kill -0 "$holder" 2>/dev/null || break
  sleep 0.1
done
if grep -q 'holding the control' "$held_log"; then
  w "$(unix_path "$loc")/uninstall.exe" /S "_?=$loc"
  equal "the uninstaller's exit code (the control is in use)" "$?" 32
  check "the files stay" test -f "$(unix_path "$ocx")" -a -f "$(unix_path "$loc")/uninstall.exe"
  w "$setup" /S
  equal "the setup program's exit code (the control is in use)" "$?" 32
  snapshot
  equal "the number of entries" "$(entries)" 1
  check "the registration stays" has_keys "class${views[0]}"
else
  echo "  FAIL  the client holds the control"
  failures=$((failures + 1))
fi
touch "$release"
wait "$holder"
equal "the holding client's exit code" "$?" 0
sed 's/^/    /' "$held_log"

phase "silent uninstall"
w "$(unix_path "$loc")/uninstall.exe" /S
equal "the uninstaller's exit code" "$?" 0
# The uninstaller runs on from a copy of itself: wait for it to finish.
for _ in $(seq 1 300); do
  [ -e "$(unix_path "$loc")" ] || break
  sleep 0.1
done
check "the installation folder is gone" test ! -e "$(unix_path "$loc")"
left=$(comm -13 <(echo "$files_before") <(files_outside_windows))
equal "files left behind" "$left" ""
snapshot
equal "the number of entries" "$(entries)" 0
for view in 32 64; do
  check "no class key ($view-bit view)" no_keys class$view
  check "no ProgID key ($view-bit view)" no_keys progid$view
  check "no type library key ($view-bit view)" no_keys typelib$view
done

echo
echo "installer check took $((SECONDS - started)) s"
if [ "$failures" -gt 0 ]; then
  echo "installer check: $failures FAILED"
  exit 1
fi
if [ "$mode" = x64only ]; then
  echo "installer check passed for the 64-bit build; its 32-bit part SKIPPED (${skipped_32#SKIPPED: })"
else
  echo "installer check passed"
fi
