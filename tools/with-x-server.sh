#!/usr/bin/env bash
# Runs a command under a virtual X server of its own and returns the command's exit status:
#   tools/with-x-server.sh <command> [argument]...
# The one way the tests, benchmarks and scripts start an X server:
# - -noreset: otherwise the server resets whenever its last client leaves (a probe, a helper
#   program), and a program that connects during the reset is refused.
# - -displayfd: the server picks a free display itself, so servers started at the same moment
#   never race for a number, and it writes the number only when it accepts connections, so no
#   probe is needed.
set -euo pipefail
(($#)) || { echo "Usage: $0 <command> [argument]..." >&2; exit 2; }

scratch=$(mktemp -d)
server=
cleanup() {
  [[ -n $server ]] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

touch "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp \
  3>"$scratch/display" >"$scratch/server.log" 2>&1 &
server=$!
display=
for ((tries = 0; tries < 600; tries++)); do
  # The number arrives with its line end once the server is ready.
  if read -r display <"$scratch/display" && [[ $display =~ ^[0-9]+$ ]]; then
    break
  fi
  display=
  if ! kill -0 "$server" 2>/dev/null; then
    cat "$scratch/server.log" >&2
    echo "$0: the X server ended before it was ready" >&2
    exit 1
  fi
  sleep 0.1
done
if [[ -z $display ]]; then
  echo "$0: the X server was not ready within 60 s" >&2
  exit 1
fi

status=0
DISPLAY=:$display "$@" || status=$?
exit "$status"
