#!/usr/bin/env bash
# Checks the distribution as a user meets it. A fresh clone of the repository
# (its committed HEAD) builds the SDK zip; the zip is unpacked into a fresh
# Wine prefix as C:\pexa; setup.exe runs there in a terminal (RETURN, then
# any key) and starts PexaDemo.bat, each example of the demonstration is
# ended as a user ends it: ESC typed into its window (ENTER first where the
# example asks), and the batch file's closing pause gets a key. Prints a
# tally; exits 0 when all went well.
#   tools/dist-check.sh [repository (default: the one this script is in)]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=${1:-$(cd "$here/.." && pwd)}
work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-dist.XXXXXX")
session=pexa-dist-$$
tally=()
failures=0
note() { tally+=("$1"); echo "  $1"; }
bad() { tally+=("FAILED: $1"); echo "  FAILED: $1" >&2; failures=$((failures + 1)); }
cleanup() {
  tmux kill-session -t "$session" 2>/dev/null || true
  [ ! -d "$work/wine" ] || "$work/clone/tools/wine-env.sh" stop "$work/wine" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "== fresh clone of $repo"
git clone -q "$repo" "$work/clone"
cd "$work/clone"
echo "   at $(git log -1 --format='%h %s')"
tools/install-deps.sh
echo "== SDK"
for arch in x64:x86_64 x86:i686; do
  cmake -S . -B "build/${arch%%:*}" -G Ninja -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-${arch#*:}-w64-mingw32.cmake" >/dev/null
done
cmake --build build/x64 --target dist -j "${PEXA_JOBS:-2}" | tail -1
zip=$(ls build/x64/dist/pexa-*-windows.zip 2>/dev/null | head -1)
[ -f "$zip" ] || { echo "no build/x64/dist/pexa-<version>-windows.zip" >&2; exit 1; }
echo "   $zip: $(stat -c %s "$zip") bytes, $(cmake -E tar tf "$zip" | grep -vc '/$') files"

echo "== fresh Wine prefix"
eval "$(tools/wine-env.sh start "$work/wine")"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
(cd "$WINEPREFIX/drive_c" && cmake -E tar xf "$work/clone/$zip")
pexa=$WINEPREFIX/drive_c/pexa
[ -f "$pexa/setup.exe" ] || { echo "the zip holds no pexa/setup.exe" >&2; exit 1; }

# The terminal the user types into; setup and the demonstration share it.
pane() { tmux capture-pane -p -S -200 -t "$session" 2>/dev/null || true; }
wait_pane() { # text seconds
  local i
  for ((i = 0; i < $2 * 10; ++i)); do pane | grep -qF -- "$1" && return 0; sleep 0.1; done
  return 1
}
# Keys are typed (XTEST) into the focused window, not sent to a window: a
# sent key whose release finds its window gone stays pressed for Wine.
type_into() { # window key
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2" 2>/dev/null || true
}
windows_titled() { xdotool search --name "^$1\$" 2>/dev/null || true; }
# True when the middle of the window is clearly more blue than green.
shows_blue() { # window
  local x y w h
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=' |
    sed -e 's/^X=/x=/' -e 's/^Y=/y=/' -e 's/^WIDTH=/w=/' -e 's/^HEIGHT=/h=/')"
  [ -n "${w:-}" ] || return 1
  local d
  d=$(import -display "$DISPLAY" -window root -crop "$((w / 2))x$((h / 2))+$((x + w / 4))+$((y + h / 4))" \
    -format '%[fx:mean.b-mean.g]' info: 2>/dev/null || echo 0)
  awk "BEGIN {exit !($d > 0.1)}"
}

echo "== setup.exe"
tmux new-session -d -s "$session" -x 100 -y 60 -c "$pexa" \
  "'$wine' setup.exe; echo \$? >'$work/setup.status'; sleep 3600"
if wait_pane "Press ESC to abort the setup program." 60; then
  tmux send-keys -t "$session" Enter
  wait_pane "Press the any key to run the Pexa Demo application:" 60 || bad "setup did not reach its demo prompt"
  tmux send-keys -t "$session" x
else
  bad "setup showed no banner"
fi
for _ in $(seq 1 300); do [ -s "$work/setup.status" ] && break; sleep 0.1; done
status=$(cat "$work/setup.status" 2>/dev/null || echo none)
if [ "$status" = 0 ]; then note "setup.exe: RETURN, any key, status 0"; else bad "setup.exe status $status"; fi
key='HKLM\Software\Brellan Software\Pexa\PexaPath'
values=$("$wine" reg query "$key" </dev/null 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ {print $1 "=" $3}' | sort | tr '\n' ' ')
if [ "$values" = 'PexaDocuPath=C:\pexa\pexaDocu\pexaDocuHTML\ PexaPath=C:\pexa\ ' ]; then
  note "registry: $values"
else
  bad "registry: '$values'"
fi
for dll in pexab16.dll pexav16.dll; do
  if cmp -s "$pexa/pexaExamples/$dll" "$WINEPREFIX/drive_c/windows/system32/$dll"; then
    note "copied to the system directory: $dll"
  else
    bad "$dll not copied to the system directory"
  fi
done

echo "== PexaDemo.bat"
# Title of each example's (first) window, in the order of the batch file.
demo=(exShortest exNewObject exElevationGrid exIndexedFaceSet exLight exColorCube exQuadric
  exPrimitive exMultiWindow exPictures)
declare -A title=(
  [exShortest]=" Pexa Window: Shortest Pexa Example" [exNewObject]=" Pexa Window: New Object Example"
  [exElevationGrid]=" Pexa Window: ElevationGrid Example"
  [exIndexedFaceSet]=" Pexa Window: IndexedFaceSet Example" [exLight]=" Pexa Window: Light example"
  [exColorCube]=" Pexa Window: ColorCube example" [exQuadric]=" Pexa Window: Quadric example"
  [exPrimitive]=" Pexa Window: Primitive Example" [exMultiWindow]=" Pexa Window: 3"
  [exPictures]=" Pexa Window: Pictures example")
ended=0
for example in "${demo[@]}"; do
  t=${title[$example]}
  w=""
  for _ in $(seq 1 300); do
    w=$(windows_titled "$t" | head -1)
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || { bad "$example: no window '$t'"; continue; }
  how="ESC"
  if [ "$example" = exElevationGrid ]; then
    # ENTER until the window shows the last, blue and magenta grid (an ENTER
    # that comes while the program is busy is lost, one too many is ignored).
    presses=0
    while ! shows_blue "$w" && [ $presses -lt 20 ]; do
      type_into "$w" Return
      presses=$((presses + 1))
      sleep 0.5
    done
    how="$presses ENTER, then ESC"
  fi
  for _ in $(seq 1 5); do
    type_into "$w" Escape
    for _ in $(seq 1 30); do [ -z "$(windows_titled "$t")" ] && break 2; sleep 0.1; done
  done
  if [ -z "$(windows_titled "$t")" ]; then
    note "$example: ended by $how"
    ended=$((ended + 1))
  else
    bad "$example: still open after ESC"
  fi
done
# The shell opens the batch file in a console of its own, where it waits for
# a key at its end; it has ended when its command interpreter has.
if [ "$ended" -eq ${#demo[@]} ]; then
  for _ in $(seq 1 20); do pgrep -f 'PexaDemo\.bat' >/dev/null || break; sleep 0.1; done
  if pgrep -f 'PexaDemo\.bat' >/dev/null; then
    console=$(xdotool search --name 'PexaDemo' 2>/dev/null | head -1 || true)
    if [ -n "$console" ]; then type_into "$console" Return; else bad "no console window of PexaDemo.bat"; fi
    note "PexaDemo.bat waited at its closing pause"
  else
    # A key typed while a scene window was closing may have gone to the
    # console and answered the pause already.
    note "PexaDemo.bat did not wait at its closing pause (a stray key?)"
  fi
fi
for _ in $(seq 1 300); do pgrep -f 'PexaDemo\.bat' >/dev/null || break; sleep 0.1; done
if pgrep -f 'PexaDemo\.bat' >/dev/null; then bad "PexaDemo.bat did not reach its end"; else note "PexaDemo.bat ran to its end"; fi

echo "== tally"
for line in "${tally[@]}"; do echo "  $line"; done
echo "  $ended of ${#demo[@]} examples ended as a user ends them; $failures failures"
[ "$failures" -eq 0 ]
