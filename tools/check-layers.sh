#!/usr/bin/env bash
# Checks the shape of library/: its folders are one-way layers (a file
# includes only headers of its own folder, of the folders below it, and the
# public header; never of a folder above, and never from tests/, bench/ or
# fuzz/), and every function pexa.h declares is defined in the file that the
# banner of its section in pexa.h names.
# The order, from the ground up (README, "Layers"):
layers=(resources platform scene dib gif runtime objects)
#   tools/check-layers.sh           check, print the include graph by folder
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root/library"
rank() { # folder -> its place in the order, or nothing
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" != "$1" ] || { echo "$i"; return; }; done
}
declare -A edges=()
bad=0
for file in */*.h */*.cpp; do
  from=${file%%/*}
  from_rank=$(rank "$from")
  if [ -z "$from_rank" ]; then
    echo "library/$file: folder $from is not in the layer order"
    bad=1
    continue
  fi
  while IFS= read -r header; do
    case $header in
      */*) to=${header%%/*} ;;
      pexa.h) continue ;;
      *) to=$from ;;
    esac
    [ "$to" != "$from" ] || continue
    edges["$from -> $to"]=$((${edges["$from -> $to"]:-0} + 1))
    to_rank=$(rank "$to")
    if [ -z "$to_rank" ]; then
      echo "library/$file includes \"$header\" from outside the library"
      bad=1
    elif [ "$to_rank" -gt "$from_rank" ]; then
      echo "library/$file includes \"$header\" of a layer above its own"
      bad=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done
echo "includes between folders (count of include lines):"
for edge in "${!edges[@]}"; do echo "  $edge ${edges[$edge]}"; done | sort
[ $bad -eq 0 ] && echo "layers: ${layers[*]} (each includes only those before it)"

# Exports by section: the banner's file, then each declared function.
declared=$(awk '
  /^ \* .*  +library\/[^ ]+$/ { file = $NF; next }
  /^PEXA_API / { line = $0; sub(/\(.*/, "", line); n = split(line, w, /[ *]+/); print w[n], file }
' "$root/include/pexa.h")
count=0
while read -r name file; do
  count=$((count + 1))
  defined=$(grep -l -E "^(extern \"C\" )?PEXA_API [^(]*[ *]$name\(" */*.cpp | tr '\n' ' ')
  if [ "$defined" != "${file#library/} " ]; then
    echo "$name: pexa.h's section names $file; defined in: ${defined:-nothing}"
    bad=1
  fi
done <<<"$declared"
[ $bad -eq 0 ] && echo "exports: $count functions, each defined in the file its section names"
exit $bad
