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
  # Folders that do not exist yet are left out.
  local folders=() folder
  for folder in hostaccess nvdata framework control settingsfile pages resources sim host tests \
    bench; do
    [ -d "$folder" ] && folders+=("$folder")
  done
  find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort
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
