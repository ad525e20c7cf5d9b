#!/usr/bin/env bash
# The viewer benchmark three times: without accessibility (offscreen); with a screen reader's bus
# (Xvfb, a private session bus, Qt's AT-SPI bridge always on), where nobody listens yet; and with a
# stand-in screen reader listening to the text events, which Qt then sends.
#   bench/viewer/run-viewer-benchmark.sh [build-dir] [case filter]
set -euo pipefail
build=${1:-build}
filter=${2:-}
here=$(dirname "$0")
benchmark="$build/bench/viewer/viewer-benchmark"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
QT_QPA_PLATFORM=offscreen "$benchmark" "$filter"
# Qt's bridge only watches for the accessibility bus; a screen reader is what starts it.
for listener in "" "$here/screen_reader_listener.py"; do
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    "$here/../../tools/with-x-server.sh" dbus-run-session -- sh -c '
      dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null || exit 1
      if [ -n "$2" ]; then
        echo "with a stand-in screen reader listening"
        /usr/bin/python3 "$2" & reader=$!
        sleep 3
      fi
      status=0
      "$0" "$1" || status=$?
      if [ -n "$2" ]; then kill -TERM "$reader"; wait "$reader" || true; fi
      exit "$status"' "$benchmark" "$filter" "$listener"
done
