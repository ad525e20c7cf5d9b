#!/usr/bin/env bash
# First showing of the browser window with a loopback page, several runs under Xvfb; medians.
#   bench/browser/run-browser-benchmark.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-7}
if [[ -z "${INSIDE_XVFB:-}" ]]; then
  INSIDE_XVFB=1 exec "$(dirname "$0")/../../tools/with-x-server.sh" "$0" "$@"
fi
unset QT_QPA_PLATFORM
program="$build/bench/browser/weld-browser-first-show"
declare -A values bare
"$program" >/dev/null 2>&1 # one unmeasured run warms the file cache
for ((i = 0; i < runs; i++)); do
  line=$("$program" --no-engine 2>/dev/null)
  [[ "$line" == *"ok=1"* ]] || { echo "run $i without the engine failed: $line" >&2; exit 1; }
  for pair in $line; do bare[${pair%%=*}]+="${pair#*=} "; done
  line=$("$program" 2>/dev/null)
  [[ "$line" == *"ok=1"* ]] || { echo "run $i failed: $line" >&2; exit 1; }
  for pair in $line; do values[${pair%%=*}]+="${pair#*=} "; done
done
median() { printf '%s\n' $1 | sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
printf 'runs: %d of each, alternately; load average %s\n' "$runs" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'window alone (no engine):   shown after median %.1f ms, peak RSS %.1f MiB\n' \
  "$(median "${bare[shown_ms]}")" "$(awk -v k="$(median "${bare[peak_rss_kib]}")" 'BEGIN {print k / 1024}')"
printf 'with the engine:\n'
printf '  navigation call (engine loaded, load started): median %.1f ms\n' "$(median "${values[engine_ms]}")"
printf '  window shown:                                  median %.1f ms\n' "$(median "${values[shown_ms]}")"
printf '  page loaded (DownloadComplete):                median %.1f ms\n' "$(median "${values[loaded_ms]}")"
printf '  a second page, from its navigation:            median %.1f ms\n' "$(median "${values[second_ms]}")"
awk -v b="$(median "${values[rss_before_kib]}")" -v p="$(median "${values[peak_rss_kib]}")" \
    -v h="$(median "${values[helpers_rss_kib]}")" 'BEGIN {
  printf "  program RSS before: %.1f MiB; peak RSS after: %.1f MiB (+%.1f MiB)\n", b / 1024, p / 1024, (p - b) / 1024
  printf "  engine helper processes, RSS at the end: %.1f MiB\n", h / 1024
}'
