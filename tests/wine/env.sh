# Wine test environment: a private prefix, a virtual display and a compositor.
# Source this file, then:
#
#   molan_wine_start DIR   set up DIR/{prefix,home,state}, start Xvfb and xcompmgr,
#                          export the variables below and write them to DIR/env
#   molan_wine_stop [DIR]  stop exactly what molan_wine_start started (by pid), and
#                          the prefix's wineserver; DIR defaults to $MOLAN_WINE_DIR
#   molan_wine_compositor [DIR]  make sure xcompmgr is alive (restarts it if not)
#   molan_wine_active      true when this shell already has a live environment
#   molan_wine_dos_path P  the Windows path (Z:\...) of a Unix path
#
# Exported: MOLAN_WINE_DIR WINEPREFIX DISPLAY HOME LC_ALL WINEDEBUG WINEDLLOVERRIDES
# Several environments can run at once: each has its own prefix, display and
# wineserver. A fresh prefix is copied from a template booted once per Wine
# version and user (under build/wine-template/), so only the first run pays the
# ~20 s of wineboot.
#
# Every function returns non-zero with a message on stderr on failure and is
# bounded in time. A watchdog stops the environment if its owner process
# (MOLAN_WINE_OWNER, default: the shell that called molan_wine_start) dies
# without calling molan_wine_stop.

MOLAN_WINE_HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
MOLAN_REPO="$(cd "$MOLAN_WINE_HERE/../.." && pwd)"
# shellcheck source=tests/wine/prefix.sh
source "$MOLAN_WINE_HERE/prefix.sh"
# shellcheck source=tests/wine/display.sh
source "$MOLAN_WINE_HERE/display.sh"

molan_wine_fail() {
  echo "wine-env: $*" >&2
  return 1
}

# True while the process runs (a zombie, which nobody reaped yet, has ended).
molan_wine_alive() {
  local stat
  kill -0 "$1" 2>/dev/null || return 1
  stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
  stat="${stat##*) }"
  [ "${stat%% *}" != Z ]
}

molan_wine_active() {
  [ -n "${MOLAN_WINE_DIR:-}" ] && [ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] &&
    [ -f "$MOLAN_WINE_DIR/state/xvfb.pid" ] && molan_wine_alive "$(cat "$MOLAN_WINE_DIR/state/xvfb.pid")"
}

molan_wine_start() {
  local dir="${1:?molan_wine_start needs a folder}"
  command -v wine >/dev/null || { molan_wine_fail "wine is not installed (run scripts/setup)"; return 1; }
  # Without the generated locale Wine still reports code page 936, but every
  # path with Chinese characters fails.
  locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8' ||
    { molan_wine_fail "the zh_CN.UTF-8 locale is not generated (run scripts/setup)"; return 1; }
  mkdir -p "$dir" || { molan_wine_fail "cannot create $dir"; return 1; }
  dir="$(cd "$dir" && pwd)"
  if [ -f "$dir/state/xvfb.pid" ]; then molan_wine_stop "$dir" >/dev/null 2>&1 || true; fi
  rm -rf "$dir/prefix" "$dir/home" "$dir/state" "$dir/env"
  mkdir -p "$dir/home/Desktop" "$dir/state"

  export MOLAN_WINE_DIR="$dir"
  export LC_ALL=zh_CN.UTF-8
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX="$dir/prefix"
  export MOLAN_WINE_ORIG_HOME="${MOLAN_WINE_ORIG_HOME:-${HOME:-}}"
  export HOME="$dir/home"
  unset WINEARCH WAYLAND_DISPLAY

  molan_wine_make_prefix "$WINEPREFIX" "$HOME" || { molan_wine_stop "$dir"; return 1; }
  molan_wine_start_display "$dir" || { molan_wine_stop "$dir"; return 1; }
  molan_wine_start_watchdog "$dir" "${MOLAN_WINE_OWNER:-$$}"
  # Keep one wineserver alive for the whole run instead of one per program start.
  timeout 20 wineserver -p </dev/null >/dev/null 2>&1 || { molan_wine_fail "wineserver did not start"; molan_wine_stop "$dir"; return 1; }
  # The first program of a session starts Wine's own services and desktop
  # process, which inherit its standard handles: start them here, detached,
  # so no caller's output pipe is held open by them.
  timeout 60 wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 ||
    { molan_wine_fail "the first Wine program of the session did not finish"; molan_wine_stop "$dir"; return 1; }

  {
    printf 'MOLAN_WINE_DIR=%s\n' "$MOLAN_WINE_DIR"
    printf 'WINEPREFIX=%s\n' "$WINEPREFIX"
    printf 'DISPLAY=%s\n' "$DISPLAY"
    printf 'HOME=%s\n' "$HOME"
    printf 'LC_ALL=%s\n' "$LC_ALL"
    printf 'WINEDEBUG=%s\n' "$WINEDEBUG"
    printf 'WINEDLLOVERRIDES=%s\n' "$WINEDLLOVERRIDES"
  } >"$dir/env"
}

# Stops the processes listed in DIR/state, each by its pid, and the prefix's wineserver.
molan_wine_stop() {
  local dir="${1:-${MOLAN_WINE_DIR:-}}"
  [ -n "$dir" ] && [ -d "$dir/state" ] || return 0
  if [ -d "$dir/prefix" ]; then
    WINEPREFIX="$dir/prefix" timeout 20 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$dir/prefix" timeout 20 wineserver -w >/dev/null 2>&1 || true
  fi
  local name
  for name in watchdog xcompmgr xvfb; do
    molan_wine_kill_pidfile "$dir/state/$name.pid"
  done
  if [ "${MOLAN_WINE_DIR:-}" = "$dir" ]; then
    [ -n "${MOLAN_WINE_ORIG_HOME:-}" ] && export HOME="$MOLAN_WINE_ORIG_HOME"
    unset MOLAN_WINE_DIR WINEPREFIX DISPLAY MOLAN_WINE_ORIG_HOME
  fi
  return 0
}

# TERM, then KILL after 3 s; removes the pid file.
molan_wine_kill_pidfile() {
  local file="$1" pid i
  [ -f "$file" ] || return 0
  pid="$(cat "$file")"
  rm -f "$file"
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for i in $(seq 30); do
    molan_wine_alive "$pid" || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
}

# Stops the environment when the owner process is gone (a killed test run).
molan_wine_start_watchdog() {
  local dir="$1" owner="$2"
  (
    trap - EXIT INT HUP
    nap=""
    trap '[ -n "$nap" ] && kill "$nap" 2>/dev/null; exit 0' TERM
    while molan_wine_alive "$owner" && [ -f "$dir/state/xvfb.pid" ]; do
      sleep 1 &
      nap=$!
      wait "$nap"
      nap=""
    done
    if [ -f "$dir/state/xvfb.pid" ]; then
      rm -f "$dir/state/watchdog.pid"
      molan_wine_stop "$dir"
    fi
  ) </dev/null >/dev/null 2>&1 &
  echo $! >"$dir/state/watchdog.pid"
}

# A Unix path as Windows programs in the prefix see it (drive Z: is /).
molan_wine_dos_path() {
  local path
  path="$(realpath -m "$1")"
  printf 'Z:%s' "${path//\//\\}"
}
