#!/usr/bin/env bash
# The README's quick start and the SDK zip as their users meet them:
#  - the quick start's program, saved as myscene.c in a folder laid out like a
#    clone after the build, is built by the commands under it word for word
#    and runs (headless, ended with ESC: the one command replaced is "wine
#    myscene.exe"); the help page fsWelcome.html shows the same program;
#  - the unpacked zip is named with pexa.h's version and holds the documented
#    files; each DLL is of its folder's machine, and its VERSIONINFO says that
#    version and the DLL's own name;
#  - every MinGW-w64 command of README.txt and of the help page builds the
#    program in the unpacked folder (pkg-config through lib/pkgconfig/pexa.pc);
#  - README.txt's CMake project, knowing nothing but find_package(Pexa CONFIG
#    REQUIRED), builds exShortest, copies the DLL beside it, and it runs.
#   PEXA_WINE_DIR=<wine dir> tests/scripts/test_sdk.sh <x64 build tree> <zip>
set -euo pipefail
x64=$(cd "$1" && pwd)
zip=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-sdk.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { echo "\$ $*"; eval "$*" >"$work/log" 2>&1 || { cat "$work/log"; fail "$*"; }; }
scene() { PEXA_HEADLESS=1 PEXA_X64_BUILD=$1 "$root/tools/run-scene.sh" "$2" "$work/$2.png" | tail -1; }
flat() { tr -d ' \n'; }

section=$(sed -n '/^## Quick start/,/^## [^Q]/p' "$root/README.md")
program=$(sed -n '/^```c$/,/^```$/p' <<<"$section" | sed '1d;$d')
commands=$(sed -n '/^```c$/,$p' <<<"$section" | sed -n '/^```sh$/,/^```$/p' | sed '1d;$d')
[ "$(tail -1 <<<"$commands")" = "wine myscene.exe" ] || fail "README.md: no quick start program and commands"
html=$(sed -n '/<pre>#include/,/<\/pre>/p' "$root/pexaDocu/pexaDocuHTML/fsWelcome.html" | sed 's/<[^>]*>//g')
[ "$(flat <<<"$html")" = "$(flat <<<"$program")" ] || fail "fsWelcome.html's program is not the README's"
clone=$work/clone
mkdir -p "$clone/build" "$clone/run/bin"
ln -s "$root/include" "$clone/include"
ln -s "$x64" "$clone/build/x64"
printf '%s\n' "$program" >"$clone/myscene.c"
cd "$clone"
while read -r command; do [ "$command" = "wine myscene.exe" ] || run "$command"; done <<<"$commands"
cp myscene.exe pexav16.dll run/bin/
scene "$clone/run" myscene

cd "$work"
cmake -E tar xf "$zip"
sdk=$work/pexa
version=$(sed -n 's/^#define PEXA_VERSION_[A-Z]* \([0-9]*\)$/\1/p' "$root/include/pexa.h" | paste -sd.)
[ "$(basename "$zip")" = "pexa-$version-windows.zip" ] || fail "zip $(basename "$zip"), version $version"
for f in README.txt setup.exe Uninstall.exe include/pexa.h lib/cmake/Pexa/PexaConfig.cmake \
  lib/cmake/Pexa/PexaConfigVersion.cmake lib/pkgconfig/pexa.pc pexaExamples/{PexaDemo.bat,pexav16.dll} \
  pexaExamples/{pexab16.dll,exShortest.exe,exShortest.c} pexaDocu/pexaDocuHTML/fsWelcome.html; do
  [ -f "$sdk/$f" ] || fail "no $f"
done
grep -q "^Permission is granted to anyone to use this software" "$sdk/LICENSE.txt" || fail "no zlib LICENSE.txt"
for dir in x64:x86-64 x86:i386; do
  for dll in pexav16 pexab16; do
    for f in $dll.lib lib$dll.dll.a; do [ -f "$sdk/lib/${dir%:*}/$f" ] || fail "no lib/${dir%:*}/$f"; done
    file=$sdk/lib/${dir%:*}/$dll.dll
    x86_64-w64-mingw32-objdump -f "$file" | grep -q "format pei-${dir#*:}" || fail "$file is not ${dir#*:}"
    rc=$(x86_64-w64-mingw32-windres -i "$file" -O rc)
    for want in "FILEVERSION ${version//./, }, 0" "PRODUCTVERSION ${version//./, }, 0" \
      "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\"" "\"OriginalFilename\", \"$dll.dll\""; do
      grep -qF "$want" <<<"$rc" || fail "$file: no '$want' in its VERSIONINFO"
    done
  done
done
echo "zip layout as documented; VERSIONINFO $version in the DLLs of lib/x64 and lib/x86"

cd "$sdk"
printf '%s\n' "$program" | tee myscene.c >myscene.cpp
export PKG_CONFIG_PATH=$sdk/lib/pkgconfig
grep -hE '^ *x86_64-w64-mingw32-g(cc|\+\+) ' README.txt pexaDocu/pexaDocuHTML/fsWelcome.html |
  sed -e 's/^ *//' -e 's#</pre>##' | sort -u >"$work/commands"
while read -r command; do rm -f myscene.exe && run "$command" && [ -f myscene.exe ]; done <"$work/commands"

project=$work/consumer
mkdir -p "$project"
sed -n '/^    cmake_minimum_required/,/COMMAND_EXPAND_LISTS)/p' README.txt | sed 's/myscene/exShortest/g' \
  >"$project/CMakeLists.txt"
cp pexaExamples/exShortest.c "$project/"
run cmake -S "$project" -B "$project/build" -G Ninja -DCMAKE_PREFIX_PATH="$sdk" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
  -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$project/build/bin"
run cmake --build "$project/build"
[ -f "$project/build/bin/pexav16.dll" ] || fail "the CMake project did not copy pexav16.dll beside exShortest"
scene "$project/build" exShortest
