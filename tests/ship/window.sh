#!/usr/bin/env bash
# Starts the real program on a real X server (Xvfb, xcb platform) and checks
# what a window manager is told: the title, a size that cannot change, no
# minimise or maximise button, and the class the desktop entry names.
# Usage: window.sh PROGRAM DESKTOP_FILE SCRIPTS_DIR
set -euo pipefail
program=$1 desktop=$2
source "$3/xwindow.sh"
if [ -z "${MGW_XVFB_STARTED:-}" ]; then
  mgw_xvfb "$0" "$@"
  exit
fi
touch "$MGW_XVFB_STARTED"

fail() { echo "FAIL: $*" >&2; [ -s "$scratch/log" ] && sed 's/^/program: /' "$scratch/log" >&2; exit 1; }

# The program makes its default folder in the home folder: give it a scratch one.
scratch=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
# Under the sanitizers: libxkbcommon-x11 hands strndup X atom names that end
# without a NUL, as strndup allows, which strict string checks misreport.
HOME=$scratch QT_QPA_PLATFORM=xcb ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0 \
  env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_ENABLE_HIGHDPI_SCALING \
  "$program" >"$scratch/log" 2>&1 &
pid=$!

# A busy machine may take a while to show it; the deadline only bounds a hang.
id=$(mgw_find_window "$pid" 90) || fail "no window"

prop() { xprop -id "$id" -notype "$1" | sed -n "s/^$1 = //p"; }
title='"Arvane Lumentor Corbridge Mapped Gateway  1.6"'
[ "$(prop _NET_WM_NAME)" = "$title" ] || fail "_NET_WM_NAME is $(prop _NET_WM_NAME)"

wmclass=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ "$(prop WM_CLASS)" = "\"$wmclass\", \"$wmclass\"" ] || fail "WM_CLASS is $(prop WM_CLASS), desktop entry says $wmclass"

# _MOTIF_WM_HINTS: flags, functions, decorations. Minimise and maximise are
# functions 0x8 and 0x10, decorations 0x20 and 0x40.
read -r _ functions decorations _ < <(prop _MOTIF_WM_HINTS | tr -d ,)
(( (functions & 0x18) == 0 && (decorations & 0x60) == 0 )) || fail "_MOTIF_WM_HINTS allow minimise or maximise: $(prop _MOTIF_WM_HINTS)"

# Fixed size: the window manager may neither shrink nor grow it. The width
# is the client area's 5895 twips at 15 twips a pixel; the height adds the
# menu bar to the client area's 450 pixels.
hint() { xprop -id "$id" WM_NORMAL_HINTS | sed -n "s/.*program [a-z]* $1 size: \([0-9]*\) by \([0-9]*\)/\1x\2/p"; }
geometry=$(hint minimum)
[ "$(hint maximum)" = "$geometry" ] || fail "not a fixed size: minimum $geometry, maximum $(hint maximum)"
width=${geometry%x*} height=${geometry#*x}
[ "$width" -eq 393 ] && [ "$height" -gt 450 ] && [ "$height" -lt 520 ] || fail "size $geometry"

# Close it: the program must still be running, and end when told to.
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "window $id: $title, fixed at $geometry"
