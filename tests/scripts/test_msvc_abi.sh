#!/usr/bin/env bash
# Scene object classes of a program built as a Microsoft C++ user builds it:
# tests/programs/subclass_abi.cpp compiled by clang for x86_64-pc-windows-msvc
# (Microsoft's C++ ABI) and linked by lld-link against the SDK's pexav16.lib
# without the C runtime (a few lines stand in for it), and the same program
# built by g++ with -pedantic-errors. Both run under Wine beside the SDK's
# pexav16.dll and must report Draw reached, the destructor run by ClearList
# and objects of the group's and Use's type ids drawn. The 32-bit MSVC build
# is compiled and linked against lib/x86 only (32-bit programs cannot run
# here).
#   PEXA_WINE_DIR=<wine dir> tests/scripts/test_msvc_abi.sh <unpacked SDK folder>
set -euo pipefail
sdk=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-abi.XXXXXX")
trap 'rm -rf "$work"' EXIT
programs=$root/tests/programs

# HACK: mingw-w64's headers stand in for the Windows SDK. Without __GNUC__
# they define __attribute__ away, which breaks clang's own intrinsics headers;
# -fgnuc-version keeps their GCC spelling, and _X86_ is what they expect of
# a 32-bit compiler; their import libraries have no safe exception handler
# tables (/safeseh:no). The C++ ABI is Microsoft's all the same (_MSC_VER set,
# __MINGW32__ not).
msvc_build() { # target, arch, mingw triple's machine, C symbol prefix, 32-bit or nothing
  local mingw=/usr/$3-w64-mingw32 obj=()
  for source in subclass_abi msvc_runtime_stub; do
    clang++ --target="$1" -fgnuc-version=4.2.1 ${5:+-D_X86_} -O1 -fno-exceptions -fno-stack-protector \
      -Werror -isystem "$mingw/include" -I"$sdk/include" -c "$programs/$source.cpp" \
      -o "$work/$2-$source.obj"
    obj+=("$work/$2-$source.obj")
  done
  lld-link /nologo ${5:+/safeseh:no} /subsystem:console /nodefaultlib /entry:mainCRTStartup \
    "/alternatename:??_7type_info@@6B@=${4}pexa_type_info_vtable" /out:"$work/$2/subclass_abi.exe" "${obj[@]}" \
    "$sdk/lib/$2/pexav16.lib" "$mingw"/lib/lib{kernel32,user32,gdi32,opengl32}.a
}
mkdir -p "$work/x64" "$work/x86" "$work/gnu"
msvc_build x86_64-pc-windows-msvc x64 x86_64 ""
msvc_build i686-pc-windows-msvc x86 i686 _ 32-bit
echo "built for the Microsoft C++ ABI: x64 and x86 (the x86 one is not run)"
x86_64-w64-mingw32-g++-posix -std=c++17 -pedantic-errors -Wall -Werror -O1 -static -I"$sdk/include" \
  "$programs/subclass_abi.cpp" -o "$work/gnu/subclass_abi.exe" -L"$sdk/lib/x64" -lpexav16 -lopengl32 -lgdi32
echo "built by g++ -pedantic-errors"

status=0
for build in x64 gnu; do
  cp "$sdk/lib/x64/pexav16.dll" "$work/$build/"
  echo "== $build"
  timeout 120 "$root/tools/wine-run.sh" "$work/$build/subclass_abi.exe" || {
    echo "subclass_abi ($build) failed" >&2
    status=1
  }
done
exit $status
