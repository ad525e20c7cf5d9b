#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual X server of its own, for the tests that need real
# windows (the system's own dialogs): Wine without a display makes none.
#   tools/windows/with-wine-display.sh wine <program.exe> [argument]...
# The Wine desktop keeps the display of the process that started it, and lives on a few seconds
# after the prefix's last program; so the Wine of the tests before must have ended, and this one
# ends before the tests after start.
set -euo pipefail
(($# >= 2)) || { echo "Usage: $0 wine <program.exe> [argument]..." >&2; exit 2; }
wineserver --wait
status=0
"$(dirname "$0")/../with-x-server.sh" "$@" || status=$?
wineserver --wait
exit "$status"
