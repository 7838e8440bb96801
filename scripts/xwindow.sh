# Sourced by the scripts and tests that run the program under Xvfb: finds the
# program's top-level window with the plain X utilities (x11-utils).

# mgw_find_window PID SECONDS: prints the id of the first viewable top-level
# window whose _NET_WM_PID is PID, polling until SECONDS have passed. Fails
# when the program ends first or the time runs out.
mgw_find_window() {
  local pid=$1 deadline=$((SECONDS + $2)) id owner
  while [ $SECONDS -lt $deadline ]; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window" >&2; return 1; }
    for id in $(xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
      owner=$(xprop -id "$id" -notype _NET_WM_PID 2>/dev/null | sed -n 's/^_NET_WM_PID = //p')
      [ "$owner" = "$pid" ] || continue
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      echo "$id"
      return 0
    done
    sleep 0.1
  done
  echo "no window of the program appeared within $2 s" >&2
  return 1
}

# mgw_xvfb COMMAND...: runs COMMAND under a fresh Xvfb server. `xvfb-run -a`
# picks a free display by its lock file, and two servers started at the same
# moment can pick the same one: the loser fails before COMMAND starts, so that
# case alone is tried again. MGW_XVFB_SCREEN sets another screen size.
mgw_xvfb() {
  local started rc try
  started=$(mktemp)
  for try in 1 2 3; do
    rm -f "$started"
    rc=0
    MGW_XVFB_STARTED=$started xvfb-run -a -s "-screen 0 ${MGW_XVFB_SCREEN:-1024x768x24} -nolisten tcp" "$@" || rc=$?
    [ -e "$started" ] || [ $rc -eq 0 ] && break
    echo "Xvfb did not start (try $try)" >&2
  done
  rm -f "$started"
  return $rc
}
