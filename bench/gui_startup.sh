#!/usr/bin/env bash
# Start-up of p330 to its first painted splash, and its peak memory, measured on a real X
# server (Xvfb): the median of several runs.
# usage: bench/gui_startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: gui_startup.sh BUILD_DIR [RUNS]} runs=${2:-9}
data=$(mktemp -d) runtime=$(mktemp -d)
cp -r "$build"/share/p330/Skins "$build"/share/p330/defaults/* "$data"/
Xvfb :97 -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$data" "$runtime"' EXIT
sleep 1
times=() memory=()
for _ in $(seq "$runs"); do
  log=$(mktemp)
  start=$(date +%s%N)
  DISPLAY=:97 XDG_RUNTIME_DIR=$runtime P330_STARTUP_PROBE=1 \
    "$build"/bin/p330 --device sim --data-dir "$data" 2>"$log" &
  pid=$!
  until grep -q "splash painted" "$log"; do sleep 0.002; done
  end=$(date +%s%N)
  sleep 3.6  # past the splash, into the main view
  kill -TERM $pid; wait $pid || true
  times+=($(( (end - start) / 1000000 )))
  rm -f "$log"
done
# Peak memory of one run that reaches the main view and ends itself.
log=$(mktemp)
DISPLAY=:97 XDG_RUNTIME_DIR=$runtime P330_STARTUP_PROBE=1 "$build"/bin/p330 --device sim --data-dir "$data" \
  --screenshot "$runtime/shot.png" --exit-after-screenshot 2>"$log"
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
echo "start-up to first painted splash (ms): $sorted"
echo "median: $median ms"
grep "peak memory" "$log"
rm -f "$log"
