#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build briefly on a copy of its committed corpus.
set -euo pipefail
build_dir=$1
seconds=${FUZZ_SECONDS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for fuzzer in "$build_dir"/fuzz/fuzz_*; do
  [[ -x "$fuzzer" ]] || continue
  name=$(basename "$fuzzer")
  corpus="tests/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work/$name"
  [[ -d "$corpus" ]] && cp -r "$corpus"/. "$work/$name"/
  echo "-- $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$work/$name" 2>&1 | grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE|==[0-9]+==ERROR)' || true
  [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "$name failed" >&2; exit 1; }
done
