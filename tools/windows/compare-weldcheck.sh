#!/usr/bin/env bash
# weldcheck.exe under Wine against the Linux weldcheck, byte for byte: random schedules of 10,000
# rows in both dialects (a row in a hundred no number), written to a file and to standard output.
# Usage: tools/windows/compare-weldcheck.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
set -euo pipefail
windows_build=$1
linux_build=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-environment.sh"
comparison=$(mktemp -d)
trap 'rm -rf "$comparison"' EXIT
for dialect in semicolon comma; do
  schedule=$comparison/$dialect.csv
  python3 "$here/../../bench/weldcheck/make-schedule.py" 10000 "$schedule" "$dialect" 5
  for output in "a file" "standard output"; do
    status=0
    windows_status=0
    if [[ $output == "a file" ]]; then
      "$linux_build/cli/weldcheck" "$schedule" -o "$comparison/linux.csv" || status=$?
      wine "$windows_build/weldcheck.exe" "$schedule" -o "$comparison/windows.csv" || windows_status=$?
    else
      "$linux_build/cli/weldcheck" "$schedule" >"$comparison/linux.csv" || status=$?
      wine "$windows_build/weldcheck.exe" "$schedule" >"$comparison/windows.csv" || windows_status=$?
    fi
    if [[ $status != "$windows_status" ]]; then
      echo "weldcheck: status $status on Linux, $windows_status on Windows ($dialect, $output)" >&2
      exit 1
    fi
    cmp "$comparison/linux.csv" "$comparison/windows.csv"
    echo "$dialect to $output: 10,000 rows, the same $(wc -c <"$comparison/linux.csv") bytes, status $status"
  done
done
