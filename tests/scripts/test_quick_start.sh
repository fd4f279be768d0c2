#!/usr/bin/env bash
# The README's quick start as pasted: its program is saved as myscene.c in a
# folder laid out like a clone after the build (include/, build/x64/), the
# commands of the block after it run there word for word, and the program
# runs (headless, ended with ESC) with exit status 0. Only the last command,
# "wine myscene.exe", which waits for ESC on the user's display, is replaced by
# the headless run.
#   PEXA_WINE_DIR=<wine dir> tests/scripts/test_quick_start.sh <x64 build tree>
set -euo pipefail
x64=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-quick.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

section=$(sed -n '/^## Quick start/,/^## [^Q]/p' "$root/README.md")
program=$(sed -n '/^```c$/,/^```$/p' <<<"$section" | sed '1d;$d')
# The commands: the shell block after the program.
commands=$(sed -n '/^```c$/,$p' <<<"$section" | sed -n '/^```sh$/,/^```$/p' | sed '1d;$d')
[ -n "$program" ] && [ -n "$commands" ] || fail "README.md has no quick start program and commands"
grep -qx 'wine myscene.exe' <<<"$commands" || fail "the quick start no longer ends with 'wine myscene.exe'"

mkdir -p "$work/build"
ln -s "$root/include" "$work/include"
ln -s "$x64" "$work/build/x64"
printf '%s\n' "$program" >"$work/myscene.c"
cd "$work"
while read -r command; do
  [ "$command" != "wine myscene.exe" ] || continue
  echo "\$ $command"
  eval "$command" || fail "$command"
done <<<"$commands"

# The headless run of the program the commands made.
mkdir -p run/bin
cp myscene.exe pexav16.dll run/bin/
PEXA_HEADLESS=1 PEXA_X64_BUILD=$work/run "$root/tools/run-scene.sh" myscene "$work/myscene.png" | tail -1
