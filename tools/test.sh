#!/usr/bin/env bash
# The one test command: installs what is missing, builds every configuration
# (x64 and i686 DLLs, native portable code, fuzzers) and runs every test with
# one ctest run: native unit tests under ASan/UBSan, the Wine-run tests of the
# x64 build, and a short smoke run of each fuzzer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/install-deps.sh
tools/build.sh x64 x86 native fuzz
broot=${PEXA_BUILD_ROOT:-build}

# One ctest tree over both test builds, so one summary line closes the run.
cat >"$broot/CTestTestfile.cmake" <<CTEST
subdirs("native")
subdirs("x64")
add_test(format.check "$root/tools/check-format.sh")
add_test(layers.check "$root/tools/check-layers.sh")
add_test(exports.i686 "$root/tools/check-exports.sh" "$root/$broot/x86/bin" i686-w64-mingw32-objdump)
add_test(fuzz.smoke "$root/tools/fuzz-smoke.sh" "${PEXA_FUZZ_SECONDS:-15}" "$root/$broot/fuzz")
CTEST
ctest --test-dir "$broot" --output-on-failure -j "${PEXA_JOBS:-$(nproc)}" "$@"
