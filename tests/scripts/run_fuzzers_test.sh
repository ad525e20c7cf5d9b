#!/usr/bin/env bash
# tools/run-fuzzers.sh must fail, and show the report, when a fuzzer crashes, and pass when every
# fuzzer ends well. The fuzzers here are stand-ins that behave as libFuzzer does.
set -euo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/tools/run-fuzzers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

stand_in() { # <build> <name> <exit status>
  mkdir -p "$1/fuzz"
  printf '#!/bin/sh\necho "#42      DONE   cov: 1"\n[ %s -eq 0 ] || echo "==1==ERROR: boom"\nexit %s\n' "$3" "$3" >"$1/fuzz/$2"
  chmod +x "$1/fuzz/$2"
}
failures=0
check() { # <description> <expected status> <expected text> <build>
  local status=0 output
  output=$(FUZZ_SECONDS=1 "$script" "$4" 2>&1) || status=$?
  if [[ $status -ne $2 || $output != *"$3"* ]]; then
    echo "FAIL: $1: status $status, output:"; echo "$output"
    failures=$((failures + 1))
  else
    echo "PASS: $1"
  fi
}

stand_in good fuzz_a 0
stand_in good fuzz_b 0
check "fuzzers that end well" 0 "#42" good

stand_in crash fuzz_a 0
stand_in crash fuzz_b 77
check "a crashing fuzzer fails the run and shows its report" 1 "==1==ERROR: boom" crash

stand_in last fuzz_a 77
stand_in last fuzz_b 0
check "a crash is not hidden by a later fuzzer that ends well" 1 "Fuzzers that failed: fuzz_a" last

exit $((failures > 0))
