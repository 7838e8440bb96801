# Shared by scripts/run, scripts/test and friends: install what the build
# needs from Debian's packages when it is missing, then configure and build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${MGW_BUILD_DIR:-$ROOT/build}
JOBS=${MGW_JOBS:-2}
# Tests at once: twice the compile jobs, since most of a test's time is spent
# waiting on a line, a child process or a display rather than computing.
TEST_JOBS=${MGW_TEST_JOBS:-$((JOBS * 2))}

# What building the program takes; fonts-liberation2 is the face the window
# asks for (Liberation Sans, the widths of Arial), which the package depends on;
# librsvg2-bin draws the icon's sizes from its SVG.
MGW_BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-serialport-dev libgl-dev fonts-liberation2
                    librsvg2-bin)
# What the package takes: dpkg-dev finds the libraries' packages, file is
# CPack's way of telling executables apart.
MGW_PACKAGE_PACKAGES=(dpkg-dev file)
# What the suite takes beyond both: GoogleTest; xvfb, xauth, x11-utils for the
# window on a real X server, xdotool to press its keys; desktop-file-utils,
# appstream: the validators; fonts-dejavu-core: the captions are checked with
# DejaVu Sans alone as well; weston and qt6-wayland: the window under a real Wayland compositor;
# tshark: the captures decoded by the shipped dissector; python3-jsonschema:
# mgw --json's objects checked against the schema that ships.
MGW_TEST_PACKAGES=(libgtest-dev libgmock-dev xvfb xauth x11-utils xdotool desktop-file-utils appstream
                   fonts-dejavu-core weston qt6-wayland tshark python3-jsonschema)
MGW_PACKAGES=("${MGW_BUILD_PACKAGES[@]}" "${MGW_PACKAGE_PACKAGES[@]}" "${MGW_TEST_PACKAGES[@]}")

# mgw_install [PACKAGE...]: installs what is missing of PACKAGE..., or of
# MGW_PACKAGES when none is named. Installing needs root or a sudo that can
# run without asking (or can ask, at a terminal); otherwise it stops at once
# and says what root has to run.
mgw_install() {
  local wanted=("$@") missing=() p
  [ ${#wanted[@]} -eq 0 ] && wanted=("${MGW_PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=() why=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      why="you are not root and sudo is not installed"
    elif sudo -n true 2>/dev/null; then
      sudo=(sudo)
    elif [ -t 0 ] && [ -t 2 ]; then
      echo "Installing needs root: sudo asks for your password." >&2
      sudo=(sudo)
    else
      why="you are not root and sudo wants a password that cannot be asked for here (no terminal)"
    fi
  fi
  if [ -n "$why" ]; then
    {
      echo "These Debian packages are missing: ${missing[*]}"
      echo "They cannot be installed from here: $why."
      echo "Run this as root (or through sudo), then run $0 again:"
      echo
      echo "  apt-get install -y --no-install-recommends ${missing[*]}"
      echo
    } >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

mgw_build() {
  cmake -S "$ROOT" -B "$BUILD" "$@"
  cmake --build "$BUILD" -j "$JOBS"
}
