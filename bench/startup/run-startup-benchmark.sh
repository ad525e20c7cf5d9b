#!/usr/bin/env bash
# Start-up benchmark: the program against a bare Qt window, started alternately under Xvfb.
#   bench/startup/run-startup-benchmark.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-9}
if [[ -z "${INSIDE_XVFB:-}" ]]; then
  INSIDE_XVFB=1 exec "$(dirname "$0")/../../tools/with-x-server.sh" "$0" "$@"
fi
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
timer="$build/bench/startup/map-timer"
bare="$build/bench/startup/bare-window"
program="$build/app/weldcalc"
declare -a bare_ms bare_kib program_ms program_kib
# One unmeasured start of each warms the file cache.
"$timer" 300 "$bare" >/dev/null; "$timer" 300 "$program" >/dev/null
for ((i = 0; i < runs; i++)); do
  read -r ms kib < <("$timer" 300 "$bare"); bare_ms+=("$ms"); bare_kib+=("$kib")
  read -r ms kib < <("$timer" 300 "$program"); program_ms+=("$ms"); program_kib+=("$kib")
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
bm=$(median "${bare_ms[@]}"); bk=$(median "${bare_kib[@]}")
pm=$(median "${program_ms[@]}"); pk=$(median "${program_kib[@]}")
awk -v runs="$runs" -v bm="$bm" -v bk="$bk" -v pm="$pm" -v pk="$pk" 'BEGIN {
  printf "runs: %d of each, alternately\n", runs
  printf "bare Qt window: median %.1f ms to map, peak RSS %.1f MiB\n", bm, bk / 1024
  printf "weldcalc:       median %.1f ms to map, peak RSS %.1f MiB\n", pm, pk / 1024
  printf "ratios: time %.2f, memory %.2f (target: at most 1.10 each)\n", pm / bm, pk / bk
}'
