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
exec "$wine" "$prog" "$@"
