#!/usr/bin/env bash
# The main job: installs what is missing, builds the library and examples,
# and runs an example scene program under Wine.
#  - With a display ($DISPLAY set) the window opens there; press ESC in it.
#  - Headless (no $DISPLAY) it runs on Xvfb: it finds the window of the
#    program it started, waits for the first frame, writes a PNG of the
#    window, sends ESC and waits for the program to end. PEXA_HEADLESS=1 does
#    the same on the display in use.
# Then it prints the program's console output and "<example> exited with
# <status>", and exits with that status. Any other failure is one line on
# stderr and a non-zero status. Every wait of the headless run has a bound,
# and nothing this run started outlives it: the program, and the display and
# wineserver when there were none before.
#
#   tools/run-scene.sh [example (default exShortest)] [png (default build/<example>.png)]
#   tools/run-scene.sh --all [folder (default docs/images)]
#   tools/run-scene.sh --picture <width>x<height> [example] [bmp (default
#                      build/<example>-<width>x<height>.bmp)]
# --all runs every example of examples/ headless in turn and writes
# <folder>/<example>.png of each and <folder>/<example>.gif, its scene turning
# once about the vertical axis: the gallery of the README. An example that
# steps on with ENTER is stepped to its last picture first; the picture of a
# program with several scene windows shows them all.
# --picture runs the example headless and has it draw its scene into a BMP
# file of that size with DIBfromScene (any size up to 16384 x 16384).
# PEXA_GALLERY_GIF=<file>: write the turning GIF there (what --all does).
# Both run the gallery's build of the example (tools/gallery/turn_hook.c),
# which makes the files when the example begins to wait for ESC.
# PEXA_X64_BUILD=<x64 build tree>: run from that tree, without installing or
# building (the test of this script does so).
set -euo pipefail
usage() {
  echo "usage: tools/run-scene.sh [example] [png path] | --all [folder] |" \
    "--picture <width>x<height> [example] [bmp path]" >&2
  exit 2
}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
gallery="" picture_size=""
case ${1:-} in
  --all) gallery=${2:-$root/docs/images} ;;
  --picture)
    [[ ${2:-} =~ ^[0-9]+x[0-9]+$ ]] || usage
    picture_size=$2
    shift 2
    ;;
  -*) usage ;;
esac
[ $# -le 2 ] || usage
example=${1:-exShortest}
# An example is named, not located: a name with a path would start some
# other program, and only fail once the waits for its window ran out.
case $example in
  */* | *\\* | . | ..) echo "run-scene: an example is a name without a path: $example" >&2; exit 2 ;;
esac
broot=${PEXA_BUILD_ROOT:-build}
[[ $broot == /* ]] || broot=$root/$broot
png=${2:-$broot/$example.png}
# The files the gallery's build of the example writes, by their Linux names.
wanted=()
if [ -n "$picture_size" ]; then
  png=""
  bmp=${2:-$broot/$example-$picture_size.bmp}
  mkdir -p "$(dirname "$bmp")"
  bmp=$(cd "$(dirname "$bmp")" && pwd)/$(basename "$bmp")
  wanted+=("$bmp")
  export PEXA_PICTURE_SIZE=$picture_size PEXA_HEADLESS=1
fi
if [ -n "${PEXA_GALLERY_GIF:-}" ]; then
  wanted+=("$PEXA_GALLERY_GIF")
fi

fail() { echo "run-scene: $*" >&2; exit 1; }

if [ -n "${PEXA_X64_BUILD:-}" ]; then
  x64=$PEXA_X64_BUILD
else
  "$root/tools/install-deps.sh"
  "$root/tools/build.sh" x64
  x64=$broot/x64
fi
[ -d "$x64/bin" ] || fail "no x64 build in $x64"
x64=$(cd "$x64" && pwd)
[ -z "$gallery" ] || exec "$root/tools/run-scene-all.sh" "$x64" "$gallery"
binary=$example
[ ${#wanted[@]} -eq 0 ] || binary=gallery_$example
exe=$x64/bin/$binary.exe
[ -f "$exe" ] || { echo "run-scene: no such example: $example ($exe)" >&2; exit 2; }
windows_name() { # Linux file name: its name on Wine's drive Z:
  local name=${1//\//\\}
  echo "Z:$name"
}
if [ -n "$picture_size" ]; then
  rm -f "$bmp"
  PEXA_PICTURE=$(windows_name "$bmp")
  export PEXA_PICTURE
fi
if [ -n "${PEXA_GALLERY_GIF:-}" ]; then
  rm -f "$PEXA_GALLERY_GIF"
  PEXA_TURN_GIF=$(windows_name "$PEXA_GALLERY_GIF")
  export PEXA_TURN_GIF
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64) || fail "wine64 is not installed"

# Processes are known by pid and start time, so that a number reused after a
# process ended is never taken for it.
start_time() { # pid: its start time while it runs, else nothing
  local stat fields
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  read -ra fields <<<"${stat##*) }"
  [ "${fields[0]}" = Z ] || echo "${fields[19]}"
}
alive() { # pid start-time
  [ -n "$1" ] && [ -n "$2" ] && [ "$(start_time "$1")" = "$2" ]
}
# Wine processes of this prefix: "pid start-time program" each.
prefix_processes() {
  local d exe st program
  for d in /proc/[0-9]*; do
    exe=$(readlink "$d/exe" 2>/dev/null) || continue
    case ${exe##*/} in wine | wine64 | wine-preloader | wine64-preloader) ;; *) continue ;; esac
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "$d/environ" 2>/dev/null || continue
    st=$(start_time "${d#/proc/}")
    IFS= read -r -d '' program 2>/dev/null <"$d/cmdline" || true
    [ -z "$st" ] || echo "${d#/proc/} $st $program"
  done
}

# The program runs under Wine's "start /wait", which ends with the program's
# own exit code: Wine kills a process whose shutdown (X11, OpenGL) outlasts
# its grace period, and the process's status then says SIGKILL instead.
unset PEXA_WINE_STARTED
launcher="" launcher_start="" pid="" pid_start="" out=""
# The processes this run started: the launcher, and every Wine process
# started after it that names the program.
own_processes() {
  [ -n "$launcher_start" ] || return 0
  alive "$launcher" "$launcher_start" && echo "$launcher"
  local p st program
  while read -r p st program; do
    [ "$st" -ge "$launcher_start" ] && [[ ${program,,} == *"${binary,,}.exe"* ]] && echo "$p"
  done < <(prefix_processes)
  return 0
}
# Still running: its own processes, and the program itself (which may no
# longer show its environment while it leaves).
still_running() {
  own_processes
  ! alive "$pid" "$pid_start" || echo "$pid"
}
# shellcheck disable=SC2317 # run by the trap
cleanup() {
  local status=$?
  local left
  left=$(still_running)
  if [ -n "$left" ]; then
    # shellcheck disable=SC2086 # a list of pids
    kill $left 2>/dev/null || true
    for _ in $(seq 1 50); do
      [ -n "$(still_running)" ] || break
      sleep 0.1
    done
    left=$(still_running)
    # shellcheck disable=SC2086
    [ -z "$left" ] || kill -KILL $left 2>/dev/null || true
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
user_display=${DISPLAY:-}
env=$(timeout 300 "$root/tools/wine-env.sh" start "$wine_dir") ||
  fail "could not start the Wine environment in $wine_dir"
eval "$env"
# No display of the user's (none set, or it does not answer): Xvfb it is.
[ "$DISPLAY" = "$user_display" ] || headless=1

# Wine's desktop process closes the desktop about a second after its last
# program has ended, and a program started meanwhile can lose its window with
# it (the window never shows, or "CreateWindow failed"). While only Wine's own
# processes remain, wait for the desktop process to go.
wait_for_settled_desktop() {
  local deadline=$((SECONDS + 10)) procs
  while [ $SECONDS -lt $deadline ]; do
    procs=$(prefix_processes)
    grep -qi '\\explorer\.exe$' <<<"$procs" || return 0
    grep -qviF " C:\\windows\\system32\\" <<<"$procs" && return 0 # a program holds it open
    sleep 0.1
  done
}
wait_for_settled_desktop

# On a terminal the program writes there; otherwise to a file that is passed
# on when it ends (Wine's helper processes inherit its output and would hold a
# pipe open long after).
if [ -z "$headless" ] && [ -t 1 ]; then
  "$wine" start /wait /b /unix "$exe" <&0 &
else
  out=$(mktemp "${TMPDIR:-/tmp}/pexa-scene.XXXXXX")
  "$wine" start /wait /b /unix "$exe" </dev/null >"$out" 2>&1 &
fi
launcher=$!
launcher_start=$(start_time "$launcher")
launcher_running() { alive "$launcher" "$launcher_start"; }
# Collects the program's exit code and reports it.
finish() {
  local status=0
  wait "$launcher" || status=$?
  # Wine reports the end before the process has quite left; the trap ends
  # one that outstays this.
  for _ in $(seq 1 50); do
    [ -n "$(still_running)" ] || break
    sleep 0.1
  done
  [ -z "$out" ] || cat "$out"
  echo
  if [ -n "${1:-}" ]; then fail "$example exited with $status $1"; fi
  echo "$example exited with $status"
  exit "$status"
}

[ -n "$launcher_start" ] || finish "at once"
if [ -z "$headless" ]; then
  finish
fi

# The program's own process, started by the launcher: its windows carry its
# pid (_NET_WM_PID). Then its window: the visible one with the scene title
# (Wine's hidden helper windows have other names; the setting dialogs name
# the scene window after their own name), never one of an earlier or another
# run.
title="^ Pexa Window"
window=""
deadline=$((SECONDS + 30))
while :; do
  if [ -z "$pid" ]; then
    while read -r p st program; do
      if [ "$st" -ge "$launcher_start" ] && [[ ${program,,} == *"\\${binary,,}.exe" ]]; then
        pid=$p pid_start=$st
      fi
    done < <(prefix_processes)
  fi
  if [ -n "$pid" ]; then
    window=$(timeout 5 xdotool search --all --pid "$pid" --onlyvisible --name "$title" 2>/dev/null |
      head -n 1) || true
    [ -z "$window" ] || break
  fi
  launcher_running || finish "before its window appeared"
  [ $SECONDS -lt $deadline ] || fail "no window of $example appeared within 30 s"
  sleep 0.1
done
geometry=$(timeout 5 xdotool getwindowgeometry --shell "$window") || fail "the window of $example vanished"
width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")

# First frame: until then the client area is all black (nothing drawn yet)
# or all white (the window background); a scene draws something in it.
frame_drawn() {
  local spread
  spread=$(timeout 10 import -window "$window" -crop "$((width - 16))x$((height - 40))+8+30" \
    -format '%[fx:standard_deviation]' info: 2>/dev/null) || return 1
  awk "BEGIN {exit !(${spread:-0} > 0.005)}"
}
deadline=$((SECONDS + 20))
until frame_drawn; do
  launcher_running || finish "before it drew its first frame"
  [ $SECONDS -lt $deadline ] || fail "$example drew no frame within 20 s"
  sleep 0.1
done
key() { timeout 5 xdotool key --delay 0 --window "$window" "$1" >/dev/null 2>&1 || true; }

# An example that steps on with ENTER (exElevationGrid) is stepped to its
# last picture, a blue and magenta grid: ENTER until the window is clearly
# more blue than green (an ENTER that comes while the program is busy is
# lost; one too many is ignored by its last wait, for ESC).
more_blue() {
  local d
  d=$(timeout 10 import -window "$window" -crop "$((width / 2))x$((height / 2))+$((width / 4))+$((height / 4))" \
    -format '%[fx:mean.b-mean.g]' info: 2>/dev/null) || return 1
  awk "BEGIN {exit !(${d:-0} > 0.1)}"
}
if grep -q 'WaitForPexa(KEYHIT, VK_RETURN)' "$root"/examples/"$example".c* 2>/dev/null; then
  deadline=$((SECONDS + 30))
  until more_blue; do
    launcher_running || finish "while it was stepped with ENTER"
    [ $SECONDS -lt $deadline ] || fail "$example showed no last picture within 30 s of ENTER"
    key Return
    sleep 0.5
  done
fi

# The files asked of the gallery's build: each appears complete when made,
# and the view has turned back to where it began.
for file in "${wanted[@]}"; do
  deadline=$((SECONDS + 120))
  until [ -f "$file" ]; do
    launcher_running || finish "before it wrote $file"
    [ $SECONDS -lt $deadline ] || fail "$example wrote no $file within 120 s"
    sleep 0.2
  done
  echo "written: $file"
done

# All scene windows of the program, once their number has settled (each
# shows in turn): the picture spans them.
windows=""
deadline=$((SECONDS + 5))
while [ $SECONDS -lt $deadline ]; do
  now=$(timeout 5 xdotool search --all --pid "$pid" --onlyvisible --name "$title" 2>/dev/null | sort) || true
  [ -n "$now" ] && [ "$now" = "$windows" ] && break
  windows=$now
  sleep 0.5
done
if [ -z "$png" ]; then
  : # a picture of its own was asked for, not a screenshot
elif [ "$(wc -w <<<"$windows")" -gt 1 ]; then
  mkdir -p "$(dirname "$png")"
  box=$(for w in $windows; do timeout 5 xdotool getwindowgeometry --shell "$w"; done |
    awk -F= '/^X=/ {x = $2} /^Y=/ {y = $2} /^WIDTH=/ {w = $2}
      /^HEIGHT=/ {if (n++ == 0 || x < x0) x0 = x; if (n == 1 || y < y0) y0 = y
                  if (x + w > x1) x1 = x + w; if (y + $2 > y1) y1 = y + $2}
      END {printf "%dx%d+%d+%d", x1 - x0, y1 - y0, x0, y0}')
  timeout 20 import -window root -crop "$box" +repage "$png" 2>/dev/null ||
    fail "could not capture the windows of $example"
  echo "screenshot: $png ($(wc -w <<<"$windows") windows, $box)"
else
  mkdir -p "$(dirname "$png")"
  timeout 20 import -window "$window" "$png" 2>/dev/null || fail "could not capture the window of $example"
  echo "screenshot: $png (window $window, ${width}x$height)"
fi

# ESC down and up at once: a key left down in Wine reaches the window it
# activates next (another example that is open). When the program has ended
# and taken its window before the key-up, xdotool fails with BadWindow although
# the key arrived: the program's status decides. Sent again after a while in
# case it came before the program waited for it.
deadline=$((SECONDS + 30))
next=0
while launcher_running; do
  [ $SECONDS -lt $deadline ] || fail "$example did not end within 30 s of ESC"
  if [ $SECONDS -ge $next ] && alive "$pid" "$pid_start"; then
    key Escape
    next=$((SECONDS + 5))
  fi
  sleep 0.05
done
finish
