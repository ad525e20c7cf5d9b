#!/usr/bin/env bash
# The viewer benchmark twice: without accessibility (offscreen), and with a screen reader's bus
# (Xvfb, a private session bus, Qt's AT-SPI bridge always on), where every text event goes out.
#   bench/viewer/run-viewer-benchmark.sh [build-dir] [case filter]
set -euo pipefail
build=${1:-build}
filter=${2:-}
benchmark="$build/bench/viewer/viewer-benchmark"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
QT_QPA_PLATFORM=offscreen "$benchmark" "$filter"
# Qt's bridge only watches for the accessibility bus; a screen reader is what starts it.
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
  "$(dirname "$0")/../../tools/with-x-server.sh" dbus-run-session -- sh -c '
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null &&
    exec "$0" "$1"' "$benchmark" "$filter"
