#!/usr/bin/env bash
# The .lib import library of the distribution works with a linker other than
# GNU ld: tests/programs/link_check.c, compiled by clang, is linked by lld-link
# against pexav16.lib (and a kernel32.lib made the same way), without the C
# runtime, and runs under Wine beside the distribution's pexav16.dll.
#   PEXA_WINE_DIR=<wine dir> tests/scripts/test_import_lib.sh <distribution folder (pexa)>
set -euo pipefail
dist=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-lib.XXXXXX")
trap 'rm -rf "$work"' EXIT
dlltool=$(command -v llvm-dlltool || command -v llvm-dlltool-14)

clang --target=x86_64-w64-mingw32 -c -O1 -fno-stack-protector -I"$dist/include" \
  "$root/tests/programs/link_check.c" -o "$work/link_check.obj"
printf 'LIBRARY kernel32.dll\nEXPORTS\nExitProcess\n' >"$work/kernel32.def"
"$dlltool" -m i386:x86-64 -d "$work/kernel32.def" -l "$work/kernel32.lib"
lld-link /nologo /entry:start /subsystem:console /nodefaultlib /out:"$work/link_check.exe" \
  "$work/link_check.obj" "$dist/lib/x64/pexav16.lib" "$work/kernel32.lib"
cp "$dist/lib/x64/pexav16.dll" "$work/"
imports=$(x86_64-w64-mingw32-objdump -p "$work/link_check.exe" | grep -o 'DLL Name: .*' | cut -c11- | tr '\n' ' ')
echo "link_check.exe linked by lld-link; imports: $imports"
timeout 60 "$root/tools/wine-run.sh" "$work/link_check.exe"
echo "link_check.exe ran and exited with 0"
