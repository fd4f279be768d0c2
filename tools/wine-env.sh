#!/usr/bin/env bash
# Sets up and tears down the Wine environment the tests and examples run in:
# an Xvfb display when there is none, a private WINEPREFIX, and one persistent
# wineserver so every program starts fast.
#
#   wine-env.sh start [DIR]                        start what is missing, print the environment
#   wine-env.sh stop  [DIR [display|server ...]]   stop what 'start' started (default: both)
# DIR holds the prefix and the state files (default: $PEXA_WINE_DIR, else
# build/wine under the source tree). Source it with 'eval "$(wine-env.sh start)"';
# PEXA_WINE_STARTED then names what this call started (display, server), so a
# caller can stop exactly that and leave a shared environment alone.
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

# A process that has ended but was never reaped (daemons here are children of
# an init that may not reap) still answers kill -0: look at its state.
pid_alive() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}
# A display is alive when its socket exists and the server that wrote its
# lock file still runs: a killed Xvfb leaves both files behind.
display_alive() {
  [ -n "${1:-}" ] || return 1
  local n=${1#:}
  n=${n%%.*}
  [ -S "/tmp/.X11-unix/X$n" ] || return 1
  local pid
  pid=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null) || return 1
  [ -n "$pid" ] && pid_alive "$pid"
}
display_free() {
  [ ! -e "/tmp/.X11-unix/X$1" ] && [ ! -e "/tmp/.X$1-lock" ] && return 0
  ! display_alive ":$1" && rm -f "/tmp/.X11-unix/X$1" "/tmp/.X$1-lock" 2>/dev/null
}

# The wineserver of this prefix (other prefixes have their own).
server_alive() {
  local pid
  for pid in $(pgrep wineserver); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
  done
  return 1
}
# Ends the server and every program of the prefix, and waits until it is gone,
# so that a server started next does not meet the old one still shutting down.
stop_server() {
  timeout 20 wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
  timeout 20 wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
  rm -f "$dir/server.started"
}
stop_display() {
  [ -f "$dir/xvfb.pid" ] || return 0
  local pid
  pid=$(cat "$dir/xvfb.pid")
  # The number may belong to another process by now.
  if [[ $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) == Xvfb* ]]; then kill "$pid" 2>/dev/null || true; fi
  for _ in $(seq 1 100); do pid_alive "$pid" || break; sleep 0.05; done
  rm -f "$dir/xvfb.pid" "$dir/display"
}

start() {
  exec 9>"$dir/lock"
  flock 9
  local started=()
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
    [ ! -f "$dir/server.started" ] || stop_server
    # Daemons must not hold the caller's pipes (ctest waits for them to close).
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 9>&- &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 1 100); do display_alive ":$n" && break; sleep 0.05; done
    disp=":$n"
    echo "$disp" >"$dir/display"
    started+=(display)
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
  if ! server_alive; then
    wineserver -p </dev/null >/dev/null 2>&1 9>&-
    touch "$dir/server.started"
    started+=(server)
  fi
  flock -u 9
  printf 'export DISPLAY=%q WINEPREFIX=%q WINEARCH=win64 WINEDEBUG=%q WINEDLLOVERRIDES=%q PEXA_WINE_STARTED=%q\n' \
    "$DISPLAY" "$WINEPREFIX" "$WINEDEBUG" "$WINEDLLOVERRIDES" "${started[*]}"
}

stop() { # parts to stop (default: both)
  exec 9>"$dir/lock"
  flock 9
  local parts=" ${*:-display server} "
  if [[ $parts == *" server "* ]] && [ -f "$dir/server.started" ]; then stop_server; fi
  if [[ $parts == *" display "* ]]; then stop_display; fi
}

case $cmd in
  start) start ;;
  stop) shift $(($# < 2 ? $# : 2)); stop "$@" ;;
  *) echo "usage: $0 start [DIR] | stop [DIR [display|server ...]]" >&2; exit 2 ;;
esac
