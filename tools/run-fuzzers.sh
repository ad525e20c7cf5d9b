#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build briefly on a copy of its committed corpus; fails when any of
# them fails, after showing its report. Run from the source folder: tools/run-fuzzers.sh <build>
set -euo pipefail
build_dir=$1
seconds=${FUZZ_SECONDS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
for fuzzer in "$build_dir"/fuzz/fuzz_*; do
  [[ -f "$fuzzer" && -x "$fuzzer" ]] || continue
  name=$(basename "$fuzzer")
  corpus="tests/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work/$name"
  [[ -d "$corpus" ]] && cp -r "$corpus"/. "$work/$name"/
  echo "-- $name for ${seconds}s"
  status=0
  # A crashing input is kept beside the fuzzer, to be replayed by passing it as the argument.
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build_dir/fuzz/$name-" \
    "$work/$name" >"$work/$name.log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$work/$name.log" || true
  if ((status)); then
    cat "$work/$name.log" >&2
    echo "FAILED: $name ended with status $status" >&2
    failed+=("$name")
  fi
done
if ((${#failed[@]})); then
  echo "Fuzzers that failed: ${failed[*]}" >&2
  exit 1
fi
