#!/usr/bin/env bash
# Start-up of p330 to its first painted splash, side by side with a Qt hello world painting
# the same start.png (bench/splash_hello), alternated under one Xvfb, with and without a
# session bus; the medians and their ratio; and p330's peak memory.
# usage: bench/gui_startup.sh BUILD_DIR [RUNS]   (BUILD_DIR configured with P330_BENCHMARKS=ON)
set -euo pipefail
export LC_NUMERIC=C  # the wall clock read with a decimal point
build=${1:?usage: gui_startup.sh BUILD_DIR [RUNS]} runs=${2:-9}
data=$(mktemp -d) runtime=$(mktemp -d)
chmod 700 "$runtime"
cp -r "$build"/share/p330/Skins "$build"/share/p330/defaults/* "$data"/
splash=$data/Skins/Graphite/start.png
# A display number of its own: Xvfb writes the one it took.
exec 3> >(cat > "$runtime/display")
Xvfb -displayfd 3 -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
bus=
trap 'kill $xvfb ${bus:+$bus}; rm -rf "$data" "$runtime"' EXIT
until [ -s "$runtime/display" ]; do sleep 0.05; done
export DISPLAY=:$(cat "$runtime/display")

# Milliseconds from the start of COMMAND... to the first paint it reports on standard error
# ("splash painted at SECONDS"): both ends are read from the wall clock, so how often this loop
# looks at the log does not count.
first_paint() {
  local log start painted pid
  log=$(mktemp)
  start=$EPOCHREALTIME
  XDG_RUNTIME_DIR=$runtime P330_STARTUP_PROBE=1 "$@" 2>"$log" &
  pid=$!
  until painted=$(sed -n 's/.*splash painted at //p' "$log") && [ -n "$painted" ]; do
    sleep 0.01
  done
  kill -TERM $pid; wait $pid || true
  rm -f "$log"
  awk -v a="$start" -v b="$painted" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'
}
median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }

side_by_side() {  # LABEL
  local p330=() hello=()
  for _ in $(seq "$runs"); do
    p330+=($(first_paint "$build"/bin/p330 --device sim --data-dir "$data"))
    hello+=($(first_paint "$build"/bin/splash_hello "$splash"))
  done
  local a b c d
  a=$(median "${p330[@]}") b=$(median "${hello[@]}")
  c=$(printf '%s\n' "${p330[@]}" | sort -g | head -1) d=$(printf '%s\n' "${hello[@]}" | sort -g | head -1)
  # On a busy machine the fastest runs, the least disturbed, are compared as well.
  echo "$1: p330 ${p330[*]} (median $a ms); hello world ${hello[*]} (median $b ms);" \
       "ratio of medians $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')," \
       "of the fastest $(awk -v a="$c" -v b="$d" 'BEGIN { printf "%.2f", a / b }')"
}

(unset DBUS_SESSION_BUS_ADDRESS; side_by_side "without a session bus")
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
        sed -n '1s/^/export DBUS_SESSION_BUS_ADDRESS=/p; 2s/^/bus=/p')"
side_by_side "with a session bus"

# Peak memory of one run that reaches the main view and ends itself.
log=$(mktemp)
XDG_RUNTIME_DIR=$runtime P330_STARTUP_PROBE=1 "$build"/bin/p330 --device sim \
  --data-dir "$data" --screenshot "$runtime/shot.png" --exit-after-screenshot 2>"$log"
grep "peak memory" "$log"
rm -f "$log"
