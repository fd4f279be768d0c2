#!/usr/bin/env bash
# The main job's gallery mode on a built x64 tree: status 0 and, for every
# example in examples/, a PNG of its own that shows more than a blank window
# and a GIF of 36 frames of its scene turning.
#   tests/scripts/test_gallery.sh <x64 build tree>
set -euo pipefail
x64=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=$(mktemp -d "${TMPDIR:-/tmp}/pexa-gallery.XXXXXX")
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

PEXA_HEADLESS=1 PEXA_X64_BUILD=$x64 "$root/tools/run-scene.sh" --all "$out"
count=0
for source in "$root"/examples/*.c "$root"/examples/*.cpp; do
  [ -f "$source" ] || continue
  name=$(basename "${source%.*}")
  [ -s "$out/$name.png" ] || fail "no picture of $name"
  spread=$(convert "$out/$name.png" -crop 90%x80%+0+0 -format '%[fx:standard_deviation]' info:)
  awk "BEGIN {exit !($spread > 0.01)}" || fail "the picture of $name is blank"
  frames=$(identify -format '%n\n' "$out/$name.gif" 2>/dev/null | head -1) || true
  [ "${frames:-0}" -eq 36 ] || fail "the turning GIF of $name has ${frames:-no} frames"
  count=$((count + 1))
done
[ "$(find "$out" -name '*.png' | wc -l)" -eq "$count" ] || fail "pictures of something else"
echo "gallery: $count pictures and turning GIFs, one per example"
