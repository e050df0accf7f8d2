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

# What the Windows cross builds and their runs under Wine need (Debian packages).
windows_packages=(
  x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64 i686-w64-mingw32-g++:g++-mingw-w64-i686
  widl-stable:wine64-tools wine:wine /usr/lib/wine/wine64:wine64 xvfb-run:xvfb xauth:xauth
)

# The build's Windows path, for arguments handed to a program under Wine (drive Z: is "/").
wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Keeps one Wine server running for a prefix while a series of programs runs in it, so that no
# program meets a server that is just shutting down.
start_wine() {
  mkdir -p "$1"
  WINEPREFIX="$1" wineserver -p >/dev/null 2>&1 || true
}

# Stops what Wine still runs in a prefix (its server and helpers, started by these scripts).
stop_wine() {
  WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
}
