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
# "start" (below) shows a message box, and waits, for a file it cannot start.
if [ "$(head -c 2 "$prog" 2>/dev/null)" != MZ ]; then
  echo "wine-run.sh: not a Windows program: $prog" >&2
  exit 127
fi
if [ -t 1 ]; then
  exec "$wine" "$prog" "$@"
fi
# Wine starts its helper processes (services, devices, the desktop) from the
# first program that needs them, and they inherit its output. Under a pipe
# (ctest) they would hold it open long after the program ended, so the
# program writes to a file that is passed on when it ends.
#
# The program runs under "start /wait", which ends with the program's own exit
# code. When a process leaves while Wine ends it (ExitProcess from a program
# without the C runtime, say, while OpenGL is being torn down), the wineserver
# may send the Unix process SIGKILL on its way out: its own status would then
# say 137 although the program exited with 0.
#
# Now and then, on a loaded machine, Wine fails to create the process at all:
# "start" then prints its own "could not be started ... ShellExecuteEx failed"
# and nothing of the program ran. That attempt is made again, twice at most,
# and said on stderr; a program that ran is never run a second time.
out=$(mktemp "${TMPDIR:-/tmp}/pexa-wine.XXXXXX")
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
  status=0
  "$wine" start /wait /b /unix "$(realpath "$prog")" "$@" >"$out" 2>&1 || status=$?
  if [ "$status" -eq 0 ] || [ "$attempt" -eq 3 ] ||
    ! head -c 200 "$out" | grep -q '^Application could not be started' ||
    ! grep -q 'ShellExecuteEx failed' "$out"; then
    break
  fi
  echo "wine-run.sh: Wine could not start $(basename "$prog") (status $status: $(grep -m1 'ShellExecuteEx failed' "$out")); starting it again" >&2
  sleep 0.5
done
cat "$out"
exit $status
