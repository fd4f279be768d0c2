#!/usr/bin/env bash
# Captures the pictures of the help pages from the real windows: the example
# programs run under Wine on Xvfb, the context menu and the setting dialogs
# are opened with the mouse and keys, and the screen regions are written as
# PNG files into pexaDocu/pexaDocuHTML/images/.
#   tools/help-pictures.sh [build dir (default build/x64)]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/x64}" && pwd)
out=$root/pexaDocu/pexaDocuHTML/images
mkdir -p "$out"
tools_dir=$root/tools
"$tools_dir/build.sh" x64 >/dev/null
eval "$("$tools_dir/wine-env.sh" start "$build/wine")"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT

# The first top-level window of the running example whose title starts with
# prefix; bounded wait.
find_window() {
  local prefix=$1 w name
  for _ in $(seq 1 400); do
    for w in $(xdotool search --pid "$pid" 2>/dev/null || true); do
      name=$(xdotool getwindowname "$w" 2>/dev/null || true)
      [[ "$name" == "$prefix"* ]] && { echo "$w"; return; }
    done
    sleep 0.05
  done
  echo "no window '$prefix'" >&2
  return 1
}
geometry() { # window -> "x y width height"
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ {printf "%s ", $2}'
}
grab() { # file x y width height
  import -display "$DISPLAY" -window root -crop "$4x$5+$2+$3" +repage "$out/$1"
  echo "  $1"
}
start() { # example
  (cd "$build/bin" && exec "$wine" "$1.exe" >/dev/null 2>&1) &
  pid=$!
  scene=$(find_window " Pexa Window")
  read -r sx sy sw sh <<<"$(geometry "$scene")"
  # Until the first frames show (the client area is black before them).
  local mean=0
  for _ in $(seq 1 100); do
    mean=$(import -display "$DISPLAY" -window root -crop "$((sw - 20))x$((sh - 40))+$((sx + 10))+$((sy + 30))" \
      -format '%[fx:mean]' info: 2>/dev/null || echo 0)
    awk "BEGIN {exit !($mean > 0.01)}" && break
    sleep 0.1
  done
  sleep 0.5
}
finish() {
  # The first ESC may only close a dialog that has the focus. Keys are typed
  # (XTEST) into the focused window rather than sent to a window: a sent key
  # whose release finds its window gone stays pressed for Wine, which then
  # presses it in the next program's window.
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$scene" 2>/dev/null || true
    xdotool key Escape
    for _ in $(seq 1 30); do
      kill -0 "$pid" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
# Opens the context menu in the middle of the scene and walks it with keys:
# the number of Down presses chooses the item, Right opens its submenu.
menu() { # file downs
  xdotool mousemove $((sx + sw / 2 - 40)) $((sy + 60)) click 3
  sleep 0.4
  local i
  for ((i = 0; i < $2; ++i)); do xdotool key Down; done
  [ "$2" -eq 0 ] || xdotool key Right
  sleep 0.6
  grab "$1" "$sx" "$sy" "$sw" "$sh"
  # One ESC per open menu; one more would reach the scene and end it.
  xdotool key Escape
  [ "$2" -eq 0 ] || xdotool key Escape
  # A frame (End stops motion and draws) paints over what the menus left.
  xdotool key End
  sleep 0.4
}

echo "help pictures in $out:"
start exColorCube
grab scene.png "$sx" "$sy" "$sw" "$sh"
menu menu.png 0
menu menu-viewpoints.png 1
menu menu-shade.png 3
menu menu-action.png 5
menu menu-help.png 9
# Setting Dialogs > View Setting
xdotool mousemove $((sx + sw / 2)) $((sy + sh / 2)) click 3
sleep 0.4
xdotool key Down Down Down Down Down Down Down Right Return
dialog=$(find_window " View Setting")
sleep 0.6
read -r dx dy dw dh <<<"$(geometry "$dialog")"
grab view-dialog.png "$dx" "$dy" "$dw" "$dh"
finish

start exLight
dialog=$(find_window " Light Setting")
sleep 0.6
read -r dx dy dw dh <<<"$(geometry "$dialog")"
grab light-scene.png "$sx" "$sy" "$sw" "$sh"
grab light-dialog.png "$dx" "$dy" "$dw" "$dh"
finish

start exQuadric
grab welcome.png "$sx" "$sy" "$sw" "$sh"
finish
