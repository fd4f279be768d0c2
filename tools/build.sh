#!/usr/bin/env bash
# Builds everything: the Windows DLLs, examples and tests for x86_64 and
# i686 (mingw-w64), and the native build of the portable code with
# sanitizers. Build trees live in build/.
#   tools/build.sh [x64|x86|native|fuzz ...]   (default: x64 x86 native)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(x64 x86 native)
jobs=${PEXA_JOBS:-$(nproc)}
broot=${PEXA_BUILD_ROOT:-build}   # a separate tree per worker, if wanted

configure() { # dir, cmake args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  fi
}

for t in "${targets[@]}"; do
  case $t in
    x64) configure "$broot/x64" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake ;;
    x86) configure "$broot/x86" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake -DBUILD_TESTING=OFF ;;
    native) configure "$broot/native" -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc ;;
    fuzz) configure "$broot/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DPEXA_FUZZ=ON -DBUILD_TESTING=OFF ;;
    *) echo "unknown build: $t" >&2; exit 2 ;;
  esac
  echo "== build $t"
  cmake --build "$broot/$t" -j "$jobs"
done
