#!/usr/bin/env bash
# The gallery, run by 'tools/run-scene.sh --all [folder]' once the x64 tree
# is built: every example of examples/ in turn, headless, as the main job runs
# one, each writing <folder>/<example>.png and <folder>/<example>.gif, its
# scene turning once about the vertical axis (the README's pictures are
# docs/images). The runs share one Wine environment; what this started is
# stopped at the end. Prints one line per example; exits with the number of
# examples that failed (their output is shown).
#   tools/run-scene-all.sh <x64 build tree> <folder>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -eq 2 ] || { echo "usage: tools/run-scene-all.sh <x64 build tree> <folder>" >&2; exit 2; }
x64=$(cd "$1" && pwd)
mkdir -p "$2"
folder=$(cd "$2" && pwd)

wine_dir=${PEXA_WINE_DIR:-$x64/wine}
# Headless: a display of our own unless the caller chose one.
[ -n "${PEXA_HEADLESS:-}" ] || unset DISPLAY
eval "$(timeout 300 "$root/tools/wine-env.sh" start "$wine_dir")"
started=$PEXA_WINE_STARTED
log=$(mktemp "${TMPDIR:-/tmp}/pexa-gallery.XXXXXX")
# shellcheck disable=SC2317,SC2086 # run by the trap; a list of words
cleanup() {
  rm -f "$log"
  [ -z "$started" ] || timeout 60 "$root/tools/wine-env.sh" stop "$wine_dir" $started || true
}
trap cleanup EXIT

failed=0
for source in "$root"/examples/*.c "$root"/examples/*.cpp; do
  [ -f "$source" ] || continue
  example=$(basename "${source%.*}")
  status=0
  PEXA_HEADLESS=1 PEXA_X64_BUILD=$x64 PEXA_WINE_DIR=$wine_dir PEXA_GALLERY_GIF=$folder/$example.gif \
    "$root/tools/run-scene.sh" "$example" "$folder/$example.png" >"$log" 2>&1 || status=$?
  if [ "$status" -eq 0 ]; then
    echo "$example: $(sed -n 's/^screenshot: //p' "$log"), $example.gif"
  else
    echo "$example: FAILED with status $status:" >&2
    sed 's/^/    /' "$log" >&2
    failed=$((failed + 1))
  fi
done
exit "$failed"
