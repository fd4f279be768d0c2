#!/usr/bin/env bash
# Checks the built DLLs: every function pexa.h declares is exported under its
# plain C name (pexab16: all but the GIF functions), and only system DLLs are
# imported (the C and C++ runtimes are linked in statically).
#   tools/check-exports.sh <bin dir> [objdump]
set -euo pipefail
bin=$1
objdump=${2:-x86_64-w64-mingw32-objdump}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
declared=$(grep -oE 'PEXA_API [^(]*[ *]([A-Za-z_][A-Za-z0-9_]*)\(' "$root/include/pexa.h" |
  sed -E 's/.*[ *]([A-Za-z_][A-Za-z0-9_]*)\($/\1/' | sort -u)
gif="IsGIFFile ReadGIF GIFGetVersion WriteGIF GIFAnimBegin GIFAnimAdd GIFAnimEnd"
system_dlls='^(KERNEL32|USER32|GDI32|OPENGL32|GLU32|msvcrt|ADVAPI32|SHELL32|COMDLG32|COMCTL32)\.dll$'
status=0
for dll in pexav16 pexab16; do
  dump=$("$objdump" -p "$bin/$dll.dll")
  exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    grep -oE '\] [A-Za-z_][A-Za-z0-9_@]*$' | cut -c3- | sort -u)
  missing=0
  for name in $declared; do
    if [ "$dll" = pexab16 ] && [[ " $gif " == *" $name "* ]]; then
      if grep -qx "$name" <<<"$exports"; then echo "$dll exports GIF function $name"; status=1; fi
      continue
    fi
    grep -qx "$name" <<<"$exports" || { echo "$dll does not export $name"; missing=1; }
  done
  decorated=$(grep -E '@|^_' <<<"$exports" || true)
  [ -z "$decorated" ] || { echo "$dll has decorated exports: $decorated"; status=1; }
  imports=$(echo "$dump" | grep -oE 'DLL Name: .*' | cut -c11-)
  for imp in $imports; do
    grep -qiE "$system_dlls" <<<"$imp" || { echo "$dll imports non-system $imp"; status=1; }
  done
  [ $missing -eq 0 ] || status=1
  echo "$dll: $(wc -l <<<"$exports") exports; imports: $(echo $imports)"
done
exit $status
