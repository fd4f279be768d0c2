#!/usr/bin/env bash
# Runs every libFuzzer target in build/fuzz for a few seconds each, starting
# from its seed corpus in fuzz/corpus/<name>/ when there is one.
#   tools/fuzz-smoke.sh [seconds per target] [fuzz build dir]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-15}
fuzzdir=${2:-$root/build/fuzz}
shopt -s nullglob
ran=0
for fuzzer in "$fuzzdir"/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  work=$fuzzdir/work/$name
  mkdir -p "$work"
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  echo "== $name (${seconds}s)"
  status=0
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" "${seeds[@]}" >"$work.log" 2>&1 || status=$?
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$work.log" || true
  if [ $status -ne 0 ]; then tail -40 "$work.log"; echo "$name failed"; exit 1; fi
  ran=$((ran + 1))
done
echo "fuzzers run: $ran"
