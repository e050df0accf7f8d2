# Shared by test.sh and run.sh.

step() { printf '\n==> %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_updated=0
# need_packages probe:package ...: a probe is a command name or an absolute file path; the
# package is installed with apt-get when the probe is missing.
need_packages() {
  local missing=()
  local pair probe package
  for pair in "$@"; do
    probe=${pair%%:*}
    package=${pair#*:}
    if [ "${probe#/}" != "$probe" ]; then
      [ -e "$probe" ] || missing+=("$package")
    else
      command -v "$probe" >/dev/null 2>&1 || missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  step "installing ${missing[*]}"
  if [ "$apt_updated" -eq 0 ]; then
    as_root apt-get update -qq
    apt_updated=1
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

source_files() {
  # Only the folders this checkout has: find fails on a missing one, and pipefail would stop.
  local dirs=() dir
  for dir in hostaccess nvdata framework control settingsfile pages resources sim host tests bench; do
    [ -d "$dir" ] && dirs+=("$dir")
  done
  find "${dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort
}

check_format() {
  local files
  files=$(source_files)
  # shellcheck disable=SC2086
  if ! clang-format --dry-run --Werror $files; then
    echo "formatting differs from .clang-format: run clang-format -i on the files above" >&2
    exit 1
  fi
  echo "formatting ok"
}

# What the Windows cross builds and their runs under Wine need (Debian packages). CMake needs a
# build program: neither cmake nor a compiler package brings make along.
windows_packages=(
  make:make x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64 i686-w64-mingw32-g++:g++-mingw-w64-i686
  widl-stable:wine64-tools wine:wine /usr/lib/wine/wine64:wine64 xvfb-run:xvfb xauth:xauth
)

# Why 32-bit Wine is missing, when it is; empty when wine32:i386 is installed.
wine32_missing=""

# 32-bit Wine (wine32:i386), which runs the i686 control, the build the usual 32-bit network
# tools load. The i386 architecture is added when it is missing. When the i386 packages cannot be
# had (a registry error, a machine without multiarch) the run goes on without them: the i686
# tests then report themselves skipped, and an architecture added here is taken away again so
# that apt is left as it was. HD7_3_NO_WINE32=1 leaves 32-bit Wine out on purpose.
need_wine32() {
  wine32_missing=""
  if [ "${HD7_3_NO_WINE32:-0}" = 1 ]; then
    wine32_missing="HD7_3_NO_WINE32=1 leaves 32-bit Wine out"
  elif [ -x /usr/lib/wine/wine ]; then
    :
  elif ! command -v dpkg >/dev/null 2>&1 || [ "$(dpkg --print-architecture)" != amd64 ]; then
    wine32_missing="wine32:i386 is installed only on an amd64 Debian system"
  else
    local added=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      step "adding the i386 architecture for 32-bit Wine"
      if as_root dpkg --add-architecture i386; then
        added=1
        apt_updated=0
      fi
    fi
    if ! need_packages /usr/lib/wine/wine:wine32:i386; then
      wine32_missing="wine32:i386 could not be installed with apt-get (see above)"
      if [ "$added" -eq 1 ]; then
        as_root dpkg --remove-architecture i386 || true
        apt_updated=0
      fi
    fi
  fi
  [ -z "$wine32_missing" ] && need_32bit_programs
  [ -z "$wine32_missing" ] && return 0
  echo "32-bit Wine is not available: $wine32_missing; the i686 tests under Wine will be skipped"
  return 1
}

# Whether this machine starts 32-bit x86 programs (the 32-bit Wine loader is one).
runs_32bit_programs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Whether 32-bit x86 programs start only through qemu-user's emulator (registered below). The
# registration is the kernel's, so a chroot sees it too once need_32bit_programs has mounted
# binfmt_misc there.
emulated_32bit() {
  grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null
}

# Whether 32-bit programs would run only under an emulator nobody asked for: they are then left
# alone, as the emulator takes about a minute for each Windows program.
emulation_not_asked() {
  emulated_32bit && [ "${HD7_3_EMULATE_32BIT:-0}" != 1 ]
}

# Some kernels (virtual machines among them) start no 32-bit program at all: even the 32-bit
# dynamic loader fails with "Exec format error". With HD7_3_EMULATE_32BIT=1 the 32-bit Wine
# loader then runs under qemu-user's i386 emulator, registered with the kernel's binfmt_misc for
# 32-bit x86 programs (as Debian's qemu-user-binfmt does for other architectures; it lasts until
# the machine restarts). It is slow: about a minute of processor time for each Windows program
# started, so the i686 tests take an hour or more; without the variable they are skipped.
need_32bit_programs() {
  local binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt" >/dev/null 2>&1 ||
    true
  if emulation_not_asked; then
    wine32_missing="32-bit programs start here only under qemu-user's emulator, about a minute each; HD7_3_EMULATE_32BIT=1 runs the i686 tests that way"
    return 1
  fi
  runs_32bit_programs && return 0
  if [ "${HD7_3_EMULATE_32BIT:-0}" != 1 ]; then
    wine32_missing="this kernel starts no 32-bit programs; HD7_3_EMULATE_32BIT=1 runs them under qemu-user's emulator (an hour or more)"
    return 1
  fi
  step "this kernel starts no 32-bit programs: running them through qemu-user's i386 emulator"
  if ! need_packages qemu-i386-static:qemu-user-static; then
    wine32_missing="this kernel starts no 32-bit programs and qemu-user-static could not be installed"
    return 1
  fi
  [ -e "$binfmt/qemu-i386" ] || register_qemu_i386 || true
  if ! runs_32bit_programs; then
    wine32_missing="this kernel starts no 32-bit programs, and qemu-user could not be registered for them (binfmt_misc needs root)"
    return 1
  fi
  echo "32-bit programs now start under qemu-i386-static; the i686 tests run, slowly"
}

# Hands every 32-bit x86 program the kernel starts to qemu-i386-static, with binfmt_misc (root).
# Fails when it cannot be registered; it stays until unregister_qemu_i386 or the next restart.
register_qemu_i386() {
  local binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] && command -v qemu-i386-static >/dev/null 2>&1 || return 1
  # An i386 ELF executable or shared object; F opens the emulator now, so that it serves
  # chroots as well, and every program a 32-bit program starts runs under it too.
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':qemu-i386:M::%s:%s:%s:F\n' "$magic" "$mask" "$(command -v qemu-i386-static)" |
    as_root tee "$binfmt/register" >/dev/null 2>&1
  emulated_32bit
}

unregister_qemu_i386() {
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] || return 0
  echo -1 | as_root tee /proc/sys/fs/binfmt_misc/qemu-i386 >/dev/null 2>&1
}

# How many times longer a 32-bit Windows program takes to start and run here than natively: the
# time limits of the Wine runs are stretched by it.
wine32_slowdown() {
  if emulated_32bit; then echo 8; else echo 1; fi
}

# The build's Windows path, for arguments handed to a program under Wine (drive Z: is "/").
wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# The loader that runs 64-bit programs. Debian's "wine" command starts the 32-bit loader whenever
# wine32 is installed, which fails outright where the kernel runs no 32-bit programs.
wine64_loader() {
  if [ -x /usr/lib/wine/wine64 ]; then
    echo /usr/lib/wine/wine64
  else
    command -v wine64 || command -v wine || true
  fi
}

# The Wine setup a prefix is made with: Wine's version and the Windows architectures whose
# loader runs on this machine. A prefix made with another setup lacks what this one needs: one
# made without 32-bit Wine stops it with "could not load kernel32.dll".
wine_setup() {
  local loader archs="" version=""
  loader=$(wine64_loader)
  if [ -n "$loader" ] && version=$("$loader" --version 2>/dev/null); then
    archs=" win64"
  fi
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    [ -n "$version" ] || version=$(/usr/lib/wine/wine --version)
    archs="$archs win32"
  fi
  printf '%s%s\n' "${version:-no Wine}" "$archs"
}

# A private prefix carries the setup it was made with in .hd73-ready. One made with another
# setup, or left unfinished, is removed here so that it is made afresh on first use.
renew_wine_prefix() {
  local prefix=$1 setup made
  [ -f "$prefix/.hd73-ready" ] || [ -f "$prefix/system.reg" ] || return 0
  setup=$(wine_setup)
  made=$(cat "$prefix/.hd73-ready" 2>/dev/null || true)
  [ "$made" = "$setup" ] && return 0
  echo "Wine prefix $prefix was made with ${made:-an unknown Wine setup}, this machine has $setup: making it afresh" >&2
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}

# Makes a private prefix on first use with the 64-bit loader `wine64`: crash dialog off, no
# Mono or Gecko installer. The prefix is stamped with the Wine setup that made it (wine_setup);
# one made with another setup is made afresh.
make_wine_prefix() {
  local prefix=$1 wine64=$2
  [ -f "$prefix/.hd73-ready" ] && [ "$(cat "$prefix/.hd73-ready")" = "$(wine_setup)" ] && return 0
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    renew_wine_prefix "$prefix"
    if [ ! -f "$prefix/.hd73-ready" ]; then
      mkdir -p "$prefix"
      echo "wine_run: making the Wine prefix $prefix" >&2
      # (No "wineserver -w": the server may be kept running for a whole test series.)
      # The helpers Wine leaves running must not hold the lock (9>&-).
      # Stamped only when made: a prefix left unfinished is made again on next use.
      if WINEPREFIX="$prefix" timeout $((300 * $(wine32_slowdown))) "$wine64" wineboot --init \
        >/dev/null 2>&1 </dev/null 9>&-; then
        WINEPREFIX="$prefix" timeout 60 "$wine64" reg add 'HKCU\Software\Wine\WineDbg' \
          /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null 9>&-
        wine_setup >"$prefix/.hd73-ready"
      fi
    fi
  ) 9>"$prefix.lock"
}

# Keeps one Wine server running for a prefix while a series of programs runs in it, so that no
# program meets a server that is just shutting down.
start_wine() {
  renew_wine_prefix "$1"
  mkdir -p "$1"
  WINEPREFIX="$1" wineserver -p >/dev/null 2>&1 || true
}

# Stops what Wine still runs in a prefix (its server and helpers, started by these scripts).
stop_wine() {
  WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
}
