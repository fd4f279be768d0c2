#!/usr/bin/env bash
# Sets up and tears down the Wine environment the tests and examples run in:
# an Xvfb display when there is none, a private WINEPREFIX, and one persistent
# wineserver so every program starts fast.
#
#   wine-env.sh start [DIR]   start what is missing, print the environment
#   wine-env.sh stop  [DIR]   stop what 'start' started
# DIR holds the prefix and the state files (default: $PEXA_WINE_DIR, else
# build/wine under the source tree). Source it with 'eval "$(wine-env.sh start)"'.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cmd=${1:-start}
dir=${2:-${PEXA_WINE_DIR:-$here/../build/wine}}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX=$dir/prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# A display is alive when its socket exists and the server that wrote its
# lock file still runs: a killed Xvfb leaves both files behind.
display_alive() {
  [ -n "${1:-}" ] || return 1
  local n=${1#:}
  n=${n%%.*}
  [ -S "/tmp/.X11-unix/X$n" ] || return 1
  local pid
  pid=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null) || return 1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null
}
display_free() {
  [ ! -e "/tmp/.X11-unix/X$1" ] && [ ! -e "/tmp/.X$1-lock" ] && return 0
  ! display_alive ":$1" && rm -f "/tmp/.X11-unix/X$1" "/tmp/.X$1-lock" 2>/dev/null
}

start() {
  exec 9>"$dir/lock"
  flock 9
  # Display: keep a working one, else reuse ours, else start Xvfb.
  local disp=""
  if [ -n "${DISPLAY:-}" ] && { display_alive "$DISPLAY" || [[ "$DISPLAY" != :* ]]; }; then
    disp=$DISPLAY
  elif [ -f "$dir/display" ] && display_alive "$(cat "$dir/display")"; then
    disp=$(cat "$dir/display")
  else
    local n
    for n in $(seq 90 140); do
      display_free "$n" && break
    done
    # Programs of a server started for an earlier display would draw there.
    if [ -f "$dir/server.started" ]; then
      wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
      rm -f "$dir/server.started"
    fi
    # Daemons must not hold the caller's pipes (ctest waits for them to close).
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 9>&- &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 1 100); do display_alive ":$n" && break; sleep 0.05; done
    disp=":$n"
    echo "$disp" >"$dir/display"
  fi
  export DISPLAY=$disp
  # Prefix and persistent server.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 9>&- || true
    # Without a window manager Wine draws the window frames itself.
    wine_bin=/usr/lib/wine/wine64
    [ -x "$wine_bin" ] || wine_bin=wine
    "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      </dev/null >>"$dir/wineboot.log" 2>&1 9>&- || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
  fi
  if [ ! -f "$dir/server.started" ] || ! pgrep -f "wineserver" >/dev/null; then
    wineserver -p </dev/null >/dev/null 2>&1 9>&-
    touch "$dir/server.started"
  fi
  flock -u 9
  printf 'export DISPLAY=%q WINEPREFIX=%q WINEARCH=win64 WINEDEBUG=%q WINEDLLOVERRIDES=%q\n' \
    "$DISPLAY" "$WINEPREFIX" "$WINEDEBUG" "$WINEDLLOVERRIDES"
}

stop() {
  exec 9>"$dir/lock"
  flock 9
  if [ -f "$dir/server.started" ]; then
    wineserver -k 2>/dev/null || true
    rm -f "$dir/server.started"
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid" "$dir/display"
  fi
}

case $cmd in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop [DIR]" >&2; exit 2 ;;
esac
