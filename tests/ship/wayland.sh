#!/usr/bin/env bash
# The program under a real Wayland compositor: weston's headless backend and
# Qt's Wayland plugin. First the program itself: it shows its window under
# the desktop entry's id. Then the window through the states a compositor may
# force on it (waylandrun): maximized, fullscreen, an edit, the close with the
# discard prompt answered; the process must live to the end.
# Usage: wayland.sh PROGRAM WAYLANDRUN
set -euo pipefail
program=$1 run=$2
id=org.lumentormgw.LumentorMGW

scratch=$(mktemp -d)
weston_pid= pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null; wait; rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL: $*" >&2
  for log in "$scratch"/*.log; do sed "s|^|$(basename "$log" .log): |" "$log" | tail -n 30 >&2; done
  exit 1
}
# A runtime folder of its own (the compositor's socket lives there) and a
# home for the default folder and the settings.
export XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"
export WAYLAND_DISPLAY=mgw-wayland QT_QPA_PLATFORM=wayland
unset DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_WAYLAND_DISABLE_WINDOWDECORATION

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$scratch/weston.log" 2>&1 &
weston_pid=$!
deadline=$((SECONDS + 60))
until [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; do
  kill -0 "$weston_pid" 2>/dev/null || fail "weston ended"
  [ $SECONDS -lt $deadline ] || fail "weston made no socket"
  sleep 0.1
done

# The program: its window is mapped (a configure acknowledged and a buffer
# committed after it) and carries the desktop entry's id as its app id.
WAYLAND_DEBUG=client "$program" >"$scratch/program.log" 2>&1 &
pid=$!
deadline=$((SECONDS + 90))
until grep -q 'xdg_surface@[0-9]*\.ack_configure' "$scratch/program.log" &&
      sed -n '/xdg_surface@[0-9]*\.ack_configure/,$p' "$scratch/program.log" | grep -q 'wl_surface@[0-9]*\.commit'; do
  kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
  [ $SECONDS -lt $deadline ] || fail "the program showed no window"
  sleep 0.05
done
grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$id\")" "$scratch/program.log" || fail "app id is not $id"
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
pid=

# The window through the states; the last line tells what it lived through.
"$run" >"$scratch/run.log" 2>&1 || fail "the window did not live to the end"
lived=$(grep '^lived to the end:' "$scratch/run.log") || fail "no report"
normal=$(sed -n 's/.*shown \([0-9x]*\),.*/\1/p' <<<"$lived")
maximized=$(sed -n 's/.*maximized \([0-9x]*\),.*/\1/p' <<<"$lived")
[ -n "$maximized" ] && [ "$maximized" != "$normal" ] || fail "the compositor's maximized size was not taken: $lived"
grep -q 'relay 01 Yes' <<<"$lived" || fail "the edit did not arrive: $lived"
grep -q 'normal [0-9x]* (as shown)' <<<"$lived" || fail "not back at its fixed size: $lived"
grep -q 'asked "Discard Any Changes?", closed' <<<"$lived" || fail "$lived"
! grep -q 'error in client communication' "$scratch/weston.log" || fail "a client broke the protocol"
echo "$lived"
