#!/usr/bin/env bash
# Runs one Windows program under Wine: the emulator that ctest uses for every
# cross-built test. Starts the display and wineserver on first use.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prog=$1
shift
if [ -z "${PEXA_WINE_DIR:-}" ]; then
  PEXA_WINE_DIR=$(cd "$(dirname "$prog")/.." && pwd)/wine
fi
eval "$("$here/wine-env.sh" start "$PEXA_WINE_DIR")"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
if [ -t 1 ]; then
  exec "$wine" "$prog" "$@"
fi
# Wine starts its helper processes (services, devices, the desktop) from the
# first program that needs them, and they inherit its output. Under a pipe
# (ctest) they would hold it open long after the program ended, so the
# program writes to a file that is passed on when it ends.
out=$(mktemp "${TMPDIR:-/tmp}/pexa-wine.XXXXXX")
trap 'rm -f "$out"' EXIT
status=0
"$wine" "$prog" "$@" >"$out" 2>&1 || status=$?
cat "$out"
exit $status
