# Shared by scripts/run, scripts/test and friends: install what the build
# needs from Debian's packages when it is missing, then configure and build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${MGW_BUILD_DIR:-$ROOT/build}
JOBS=${MGW_JOBS:-2}

# xvfb, xauth, x11-utils: the window test on a real X server; desktop-file-utils,
# appstream: the validators; dpkg-dev: the package's library dependencies.
MGW_PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-serialport-dev libgl-dev
              libgtest-dev libgmock-dev xvfb xauth x11-utils
              desktop-file-utils appstream dpkg-dev)

mgw_install() {
  local missing=()
  for p in "${MGW_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

mgw_build() {
  cmake -S "$ROOT" -B "$BUILD" "$@"
  cmake --build "$BUILD" -j "$JOBS"
}
