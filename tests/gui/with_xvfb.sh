#!/usr/bin/env bash
# COMMAND... under an X server of its own, as `xvfb-run -a` would, except that the server
# chooses a free display itself and says which (-displayfd): window tests started at the same
# time never race for one. It keeps running between clients (-noreset), so a program started
# just as the previous one left is not refused.
set -euo pipefail
dir=$(mktemp -d)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$dir/display" >"$dir/log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$dir"' EXIT
for _ in $(seq 400); do
  [ -s "$dir/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb did not start:"; cat "$dir/log"; exit 1; }
# The window tests leave this desktop's pointer settings alone (and say nothing of them).
P330_POINTER_DESKTOP=${P330_POINTER_DESKTOP:-none} DISPLAY=:$(head -n 1 "$dir/display") "$@"
