#!/usr/bin/env bash
# Starts the packaged weldcalc.exe under a new, empty Wine prefix and a virtual X server, and
# waits for its main window "Расчет сварного шва" to appear.
# Usage: check-package.sh <package folder>
set -euo pipefail
folder=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'WINEPREFIX=$scratch/wine wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT

cat >"$scratch/start.sh" <<'START'
#!/usr/bin/env bash
set -u
export WINEPREFIX=$1/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH QT_QPA_PLATFORM QT_PLUGIN_PATH
wineboot --init >/dev/null 2>&1
wineserver --wait
wine "$2/weldcalc.exe" >/dev/null 2>&1 &
for _ in $(seq 1 120); do
  if window=$(xwininfo -root -tree 2>/dev/null | grep -m1 '"Расчет сварного шва"'); then
    echo "Shown: $window"
    exit 0
  fi
  sleep 0.5
done
echo "weldcalc.exe did not show its main window within 60 s" >&2
exit 1
START
chmod +x "$scratch/start.sh"
"$here/../with-x-server.sh" "$scratch/start.sh" "$scratch" "$folder"
