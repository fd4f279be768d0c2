#!/usr/bin/env bash
# The main job: installs what is missing, builds the library and examples,
# and runs an example scene program under Wine.
#  - With a display ($DISPLAY set) the window opens there; press ESC in it.
#  - Headless (no $DISPLAY, or PEXA_HEADLESS=1) it runs on Xvfb: it finds the
#    window of the program it started, waits for the first frame, writes a PNG
#    of the window, sends ESC and waits for the program to end.
# Then it prints the program's console output and "<example> exited with
# <status>", and exits with that status. Any other failure is one line on
# stderr and a non-zero status. Every wait has a bound, and nothing this run
# started outlives it: the program, and the display and wineserver when there
# were none before.
#
#   tools/run-scene.sh [example (default exShortest)] [png (default build/<example>.png)]
# PEXA_X64_BUILD=<x64 build tree>: run from that tree, without installing or
# building (the test of this script does so).
set -euo pipefail
usage() { echo "usage: tools/run-scene.sh [example] [png path]" >&2; exit 2; }
[ $# -le 2 ] || usage
case ${1:-} in -*) usage ;; esac
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
example=${1:-exShortest}
broot=${PEXA_BUILD_ROOT:-build}
[[ $broot == /* ]] || broot=$root/$broot
png=${2:-$broot/$example.png}

fail() { echo "run-scene: $*" >&2; exit 1; }

if [ -n "${PEXA_X64_BUILD:-}" ]; then
  x64=$PEXA_X64_BUILD
else
  "$root/tools/install-deps.sh"
  "$root/tools/build.sh" x64
  x64=$broot/x64
fi
exe=$x64/bin/$example.exe
[ -f "$exe" ] || { echo "run-scene: no such example: $example ($exe)" >&2; exit 2; }
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64) || fail "wine64 is not installed"

unset PEXA_WINE_STARTED
pid="" out=""
# The Wine process of the example is known by its pid and start time, so that
# the number, reused by another process after it ended, is never taken for it.
pid_start=""
start_time() { # pid: its start time while it runs, else nothing
  local stat fields
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  read -ra fields <<<"${stat##*) }"
  [ "${fields[0]}" = Z ] || echo "${fields[19]}"
}
running() {
  [ -n "$pid" ] && [ -n "$pid_start" ] && [ "$(start_time "$pid")" = "$pid_start" ]
}
# shellcheck disable=SC2317 # run by the trap
cleanup() {
  local status=$?
  if running; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do running || break; sleep 0.1; done
    ! running || kill -KILL "$pid" 2>/dev/null || true
  fi
  [ -z "$out" ] || rm -f "$out"
  if [ -n "${PEXA_WINE_STARTED:-}" ]; then
    # shellcheck disable=SC2086 # a list of words
    timeout 60 "$root/tools/wine-env.sh" stop "$wine_dir" $PEXA_WINE_STARTED || true
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

wine_dir=${PEXA_WINE_DIR:-$x64/wine}
headless=${PEXA_HEADLESS:-}
[ -n "${DISPLAY:-}" ] || headless=1
env=$(timeout 300 "$root/tools/wine-env.sh" start "$wine_dir") ||
  fail "could not start the Wine environment in $wine_dir"
eval "$env"

# Wine processes of this prefix, one "pid command line" each.
prefix_processes() {
  local d exe
  for d in /proc/[0-9]*; do
    exe=$(readlink "$d/exe" 2>/dev/null) || continue
    case ${exe##*/} in wine | wine64 | wine-preloader | wine64-preloader) ;; *) continue ;; esac
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "$d/environ" 2>/dev/null || continue
    echo "${d#/proc/} $(tr '\0' ' ' <"$d/cmdline" 2>/dev/null)"
  done
}
# Wine's desktop process closes the desktop about a second after its last
# program has ended, and a program started meanwhile can lose its window with
# it (the window never shows, or "CreateWindow failed"). While only Wine's own
# processes remain, wait for the desktop process to go.
wait_for_settled_desktop() {
  local deadline=$((SECONDS + 10)) procs
  while [ $SECONDS -lt $deadline ]; do
    procs=$(prefix_processes)
    grep -q 'explorer\.exe /desktop' <<<"$procs" || return 0
    grep -qvF " C:\\windows\\system32\\" <<<"$procs" && return 0 # a program holds it open
    sleep 0.1
  done
}
wait_for_settled_desktop

if [ -z "$headless" ]; then
  status=0
  "$root/tools/wine-run.sh" "$exe" || status=$?
  echo
  echo "$example exited with $status"
  exit "$status"
fi

out=$(mktemp "${TMPDIR:-/tmp}/pexa-scene.XXXXXX")
# Started directly, not through a wrapper, so that $! is the Wine process
# whose windows carry its pid (_NET_WM_PID).
"$wine" "$exe" </dev/null >"$out" 2>&1 &
pid=$!
pid_start=$(start_time "$pid")

# Ends the run with the status of a program that stopped before its time.
ended_early() {
  local status=0
  wait "$pid" || status=$?
  pid=""
  cat "$out"
  echo
  fail "$example exited with $status $1"
}

# Its own window: the visible one with the scene title (Wine's hidden helper
# windows have other names), never a window of an earlier or other run.
title="Pexa Window"
window=""
deadline=$((SECONDS + 30))
while :; do
  window=$(timeout 5 xdotool search --all --pid "$pid" --onlyvisible --name "$title" 2>/dev/null | head -n 1) || true
  [ -z "$window" ] || break
  running || ended_early "before its window appeared"
  [ $SECONDS -lt $deadline ] || fail "no window of $example appeared within 30 s"
  sleep 0.1
done
geometry=$(timeout 5 xdotool getwindowgeometry --shell "$window") || fail "the window of $example vanished"
width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")

# First frame: until then the centre shows black (nothing drawn yet) or the
# white window background; the scene puts its object there.
deadline=$((SECONDS + 20))
while :; do
  centre=$(timeout 10 import -window "$window" -crop "1x1+$((width / 2))+$((height / 2))" -depth 8 \
    -format '%[hex:p{0,0}]' info: 2>/dev/null) || centre=""
  case $centre in '' | 000000 | FFFFFF) ;; *) break ;; esac
  running || ended_early "before it drew its first frame"
  [ $SECONDS -lt $deadline ] || fail "$example drew no frame within 20 s"
  sleep 0.1
done
mkdir -p "$(dirname "$png")"
timeout 20 import -window "$window" "$png" 2>/dev/null || fail "could not capture the window of $example"
echo "screenshot: $png (window $window, ${width}x$height)"

# ESC down and up at once: a key left down in Wine reaches the window it
# activates next (another example that is open). When the program has ended
# and taken its window before the key-up, xdotool fails with BadWindow although
# the key arrived: the program's status decides. Sent again after a while in
# case it came before the program waited for it.
deadline=$((SECONDS + 30))
next=0
while running; do
  [ $SECONDS -lt $deadline ] || fail "$example did not end within 30 s of ESC"
  if [ $SECONDS -ge $next ]; then
    timeout 5 xdotool key --delay 0 --window "$window" Escape >/dev/null 2>&1 || true
    next=$((SECONDS + 5))
  fi
  sleep 0.05
done
status=0
wait "$pid" || status=$?
pid=""
cat "$out"
echo
echo "$example exited with $status"
exit "$status"
