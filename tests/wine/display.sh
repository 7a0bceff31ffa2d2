# Virtual display (Xvfb on a free display number) and compositor (xcompmgr,
# so layered windows blend). Sourced by env.sh; pids go to DIR/state.

molan_wine_start_display() {
  local dir="$1" i number=""
  command -v Xvfb >/dev/null || { molan_wine_fail "Xvfb is not installed (run scripts/setup)"; return 1; }
  # -displayfd lets the server pick a free display number itself, so parallel
  # runs never race for the same one.
  : >"$dir/state/display"
  Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp \
    3>"$dir/state/display" </dev/null >"$dir/state/xvfb.log" 2>&1 &
  echo $! >"$dir/state/xvfb.pid"
  for i in $(seq 100); do
    number="$(tr -dc 0-9 <"$dir/state/display")"
    [ -n "$number" ] && break
    molan_wine_alive "$(cat "$dir/state/xvfb.pid")" || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    molan_wine_fail "Xvfb did not start within 10 s; its log:"
    cat "$dir/state/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$number"
  molan_wine_compositor "$dir"
}

# Starts xcompmgr when it is not running; it has been seen to exit right after
# starting, so it is checked after a moment and restarted (three attempts).
molan_wine_compositor() {
  local dir="${1:-${MOLAN_WINE_DIR:-}}" attempt pidfile
  [ -n "$dir" ] || { molan_wine_fail "no Wine environment"; return 1; }
  pidfile="$dir/state/xcompmgr.pid"
  if [ -f "$pidfile" ] && molan_wine_alive "$(cat "$pidfile")"; then return 0; fi
  command -v xcompmgr >/dev/null || { molan_wine_fail "xcompmgr is not installed (run scripts/setup)"; return 1; }
  local display
  display=":$(tr -dc 0-9 <"$dir/state/display")"
  for attempt in 1 2 3; do
    DISPLAY="$display" xcompmgr </dev/null >>"$dir/state/xcompmgr.log" 2>&1 &
    echo $! >"$pidfile"
    sleep 0.3
    molan_wine_alive "$(cat "$pidfile")" && return 0
    echo "wine-env: xcompmgr exited at start (attempt $attempt), restarting" >&2
  done
  rm -f "$pidfile"
  molan_wine_fail "xcompmgr does not stay up; its log:"
  cat "$dir/state/xcompmgr.log" >&2
  return 1
}
