#!/usr/bin/env bash
# Runs the main job once, headless, on a built x64 tree, and checks what a
# newcomer gets: status 0, a PNG of the whole exShortest window (500x350) with
# the grey cube at its centre on the black background, and no exShortest
# process left in the prefix; a name with a path is refused at once.
#   tools/check-run-scene.sh <x64 build tree>
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: tools/check-run-scene.sh <x64 build tree>" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
x64=$(cd "$1" && pwd)
prefix=${PEXA_WINE_DIR:-$x64/wine}/prefix
png=$x64/run-scene-check.png
fail() { echo "check-run-scene: $*" >&2; exit 1; }

status=0
said=$(PEXA_X64_BUILD=$x64 timeout 5 "$here/run-scene.sh" ../bin/exShortest 2>&1) || status=$?
[ "$status" -eq 2 ] && [[ $said == *"without a path"* ]] ||
  fail "a name with a path: status $status, said: $said"

rm -f "$png"
status=0
PEXA_HEADLESS=1 PEXA_X64_BUILD=$x64 "$here/run-scene.sh" exShortest "$png" || status=$?
[ "$status" -eq 0 ] || fail "run-scene.sh ended with $status"

size=$(identify -format '%wx%h' "$png") || fail "no readable PNG at $png"
[ "$size" = 500x350 ] || fail "the PNG is $size, the window 500x350"
pixel() { convert "$png" -crop "1x1+$1+$2" +repage \
  -format "%[fx:round(255*r)] %[fx:round(255*g)] %[fx:round(255*b)]" info:; }
read -r r g b <<<"$(pixel 250 175)"
# Lit grey: equal channels, neither dark nor white.
if ((r < 96 || r > 224 || r - g > 4 || g - r > 4 || r - b > 4 || b - r > 4)); then
  fail "the centre of the PNG is $r,$g,$b, not the grey cube"
fi
read -r r g b <<<"$(pixel 60 175)"
((r + g + b == 0)) || fail "left of the cube the PNG is $r,$g,$b, not the black background"

left=""
for d in /proc/[0-9]*; do
  grep -qzxF "WINEPREFIX=$prefix" "$d/environ" 2>/dev/null || continue
  tr '\0' ' ' <"$d/cmdline" 2>/dev/null | grep -q 'exShortest\.exe' && left+=" ${d#/proc/}"
done
[ -z "$left" ] || fail "exShortest.exe still runs:$left"
echo "run-scene.sh: exit 0, $size PNG with the grey cube, no exShortest left"
