#!/usr/bin/env bash
# The main job: installs what is missing, builds the library and examples,
# and runs an example scene program under Wine.
#  - With a display ($DISPLAY set) the window opens there; press ESC in it.
#  - Headless, it runs on Xvfb, writes a screenshot PNG of the window, then
#    sends ESC, which ends the program.
#   tools/run-scene.sh [example name (default exShortest)] [png path]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
example=${1:-exShortest}
png=${2:-$root/build/$example.png}
tools/install-deps.sh
tools/build.sh x64
exe=$root/build/x64/bin/$example.exe
[ -f "$exe" ] || { echo "no such example: $example" >&2; exit 2; }

if [ -n "${DISPLAY:-}" ] && [ -z "${PEXA_HEADLESS:-}" ]; then
  exec tools/wine-run.sh "$exe"
fi

eval "$(tools/wine-env.sh start "$root/build/x64/wine")"
"$root/tools/wine-run.sh" "$exe" &
pid=$!
window=""
for _ in $(seq 1 200); do
  window=$(xdotool search --name "Pexa Window" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || { echo "the scene window did not appear" >&2; kill "$pid"; exit 1; }
sleep 1 # let the first frames settle
import -display "$DISPLAY" -window "$window" "$png" 2>/dev/null ||
  import -display "$DISPLAY" -window root "$png"
echo "screenshot: $png"
xdotool key --window "$window" Escape 2>/dev/null
status=0
wait "$pid" || status=$?
echo
echo "$example exited with $status"
exit $status
