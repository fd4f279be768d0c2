#!/usr/bin/env bash
# Fails when a C or C++ source of the library, header, examples, setup,
# tests, benchmarks or fuzzers differs from what clang-format makes of it
# (.clang-format at the top of the tree). Lists each such file.
#   tools/check-format.sh          check
#   tools/check-format.sh --fix    format them in place
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
fix=0
[ "${1:-}" != --fix ] || fix=1
formatter=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$formatter" ]; then
  echo "check-format.sh: clang-format is not installed" >&2
  exit 2
fi
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- \
  'include/*.h' 'library/*.h' 'library/*.cpp' 'examples/*.c' 'examples/*.cpp' 'setup/*.cpp' \
  'tests/*.h' 'tests/*.c' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp' 'fuzz/*.cpp')
bad=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if [ $fix -eq 1 ]; then
    "$formatter" --style=file -i "$f"
  elif ! "$formatter" --style=file "$f" | cmp -s - "$f"; then
    echo "not formatted: $f (tools/check-format.sh --fix)"
    bad=1
  fi
done
[ $bad -eq 0 ] && [ $fix -eq 0 ] && echo "${#files[@]} files formatted"
exit $bad
