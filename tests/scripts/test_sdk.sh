#!/usr/bin/env bash
# The SDK zip as its users meet it, unpacked into a scratch folder:
#  - its name carries pexa.h's version; it holds the documented files, the
#    DLLs of each architecture are of that machine, and every DLL's
#    VERSIONINFO says that version and the DLL's own file name;
#  - the program of README.txt and of the help page fsWelcome.html is the
#    README.md's quick start, and every MinGW-w64 command of the two compiles
#    it in the unpacked folder (pkg-config through lib/pkgconfig/pexa.pc);
#  - README.txt's CMake project, knowing nothing but find_package(Pexa CONFIG
#    REQUIRED), builds exShortest, copies the DLL beside it
#    ($<TARGET_RUNTIME_DLLS>), and exShortest runs under Wine.
#   PEXA_WINE_DIR=<wine dir> tests/scripts/test_sdk.sh <zip>
set -euo pipefail
zip=$(realpath "$1")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-sdk.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
(cd "$work" && cmake -E tar xf "$zip")
sdk=$work/pexa

version=$(sed -n 's/^#define PEXA_VERSION_[A-Z]* \([0-9]*\)$/\1/p' "$root/include/pexa.h" | paste -sd.)
[ "$(basename "$zip")" = "pexa-$version-windows.zip" ] || fail "zip name $(basename "$zip"), version $version"
for f in README.txt LICENSE.txt setup.exe Uninstall.exe include/pexa.h lib/cmake/Pexa/PexaConfig.cmake \
  lib/cmake/Pexa/PexaConfigVersion.cmake lib/pkgconfig/pexa.pc pexaExamples/PexaDemo.bat \
  pexaExamples/pexav16.dll pexaExamples/pexab16.dll pexaExamples/exShortest.exe \
  pexaExamples/exShortest.c pexaDocu/pexaDocuHTML/fsWelcome.html; do
  [ -f "$sdk/$f" ] || fail "no $f"
done
grep -q "^Permission is granted to anyone to use this software for any purpose," "$sdk/LICENSE.txt" ||
  fail "LICENSE.txt is not the zlib licence"
for arch in x64:x86-64 x86:i386; do
  dir=$sdk/lib/${arch%%:*}
  for dll in pexav16 pexab16; do
    for f in $dll.dll $dll.lib lib$dll.dll.a; do [ -f "$dir/$f" ] || fail "no $dir/$f"; done
    x86_64-w64-mingw32-objdump -f "$dir/$dll.dll" | grep -q "file format pei-${arch#*:}" ||
      fail "$dir/$dll.dll is not ${arch#*:}"
    rc=$(x86_64-w64-mingw32-windres -i "$dir/$dll.dll" -O rc | tr -d '\r')
    for want in "FILEVERSION ${version//./, }, 0" "PRODUCTVERSION ${version//./, }, 0" \
      "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
      "VALUE \"OriginalFilename\", \"$dll.dll\""; do
      grep -qF "$want" <<<"$rc" || fail "$dir/$dll.dll: no '$want' in its VERSIONINFO"
    done
  done
done
echo "layout, machines and VERSIONINFO $version of the four DLLs: as documented"

# The first program, wherever it is shown, with its spacing ignored.
flat() { tr -d ' \n'; }
quick_start=$(sed -n '/^## Quick start/,/^## [^Q]/p' "$root/README.md" | sed -n '/^```c$/,/^```$/p' |
  sed '1d;$d' | flat)
[ -n "$quick_start" ] || fail "README.md has no quick start program"
txt_program=$(sed -n '/^    #include "pexa.h"/,/^    }/p' "$sdk/README.txt")
html_program=$(sed -n '/<pre>#include "pexa.h"/,/^}/p' "$sdk/pexaDocu/pexaDocuHTML/fsWelcome.html" |
  sed -e 's/<pre>//' -e 's#</pre>##' -e 's/&quot;/"/g')
[ "$(flat <<<"$txt_program")" = "$quick_start" ] || fail "README.txt's program is not README.md's"
[ "$(flat <<<"$html_program")" = "$quick_start" ] || fail "fsWelcome.html's program is not README.md's"
(
  cd "$sdk"
  printf '%s\n' "$txt_program" >myscene.c
  cp myscene.c myscene.cpp
  export PKG_CONFIG_PATH=$sdk/lib/pkgconfig
  grep -hE '^ *x86_64-w64-mingw32-g(cc|\+\+) ' README.txt pexaDocu/pexaDocuHTML/fsWelcome.html |
    sed -e 's/^ *//' -e 's#</pre>##' | sort -u | while read -r command; do
    rm -f myscene.exe
    eval "$command" || fail "$command"
    [ -f myscene.exe ] || fail "no myscene.exe from: $command"
    echo "compiled: $command"
  done
)

# README.txt's CMake project, for exShortest.
project=$work/consumer
mkdir -p "$project"
sed -n '/^    cmake_minimum_required/,/COMMAND_EXPAND_LISTS)/p' "$sdk/README.txt" | sed 's/myscene/exShortest/g' \
  >"$project/CMakeLists.txt"
cp "$sdk/pexaExamples/exShortest.c" "$project/"
run() { # the command, shown; its output only when it fails
  echo "\$ $*"
  "$@" >"$work/log" 2>&1 || { cat "$work/log"; fail "$*"; }
}
run cmake -S "$project" -B "$project/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" -DCMAKE_PREFIX_PATH="$sdk" \
  -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$project/build/bin"
run cmake --build "$project/build"
[ -f "$project/build/bin/pexav16.dll" ] || fail "the CMake project did not copy pexav16.dll beside exShortest"
PEXA_HEADLESS=1 PEXA_X64_BUILD=$project/build "$root/tools/run-scene.sh" exShortest "$work/exShortest.png" |
  tail -1
