# shellcheck shell=bash disable=SC2016  # the conditions are evaluated by wait_for
# Steps shared by the window tests on a compositor (weston, KWin); sourced by them.

# Ends the test as skipped (77), naming what of PROGRAM... and python3-gi is missing.
skip_without() {
  local missing=() program
  for program in "$@"; do command -v "$program" >/dev/null || missing+=("$program"); done
  /usr/bin/python3 -c "from gi.repository import Gio" 2>/dev/null || missing+=(python3-gi)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "skipped: needs ${missing[*]}"
  exit 77
}

# Sets work: a folder removed at the end, with data/ (the shipped defaults and skins, as a new
# user's), runtime/ and home/.
new_work() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/data" "$work/runtime" "$work/home"
  chmod 700 "$work/runtime"
  cp -r "$1"/defaults/* "$work/data"/
  ln -s "$1"/Skins "$work/data"/Skins  # read only here: a link, not hundreds of files copied
}

# CONDITION [TRIES of 100 ms, default 150]
wait_for() {
  local _
  for _ in $(seq "${2:-150}"); do eval "$1" && return 0; sleep 0.1; done
  echo "FAIL: gave up waiting for: $1"
  return 1
}

# A notification service on the session bus that logs to $work/notifications; adds its PID
# to pids once it is on the bus.
start_notification_log() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/notification_log.py" "$work/notifications" &
  pids="${pids:-} $!"
}
notification_log_ready() { grep -q ready "$work/notifications" 2>/dev/null; }

# Without the mouse, a second start's restore warns: a notification that names the desktop
# entry. P330 runs a third copy against no mouse until SHOWN (a command) says its window is
# there; sets third to its PID.
check_notification_names_entry() {
  local p330=$1 shown=$2 line
  "$p330" --device /dev/hidraw-none --data-dir "$work/data" 2>"$work/third.log" &
  third=$!
  pids="$pids $third"
  wait_for "$shown"
  timeout 20 "$p330"
  wait_for 'grep -q "did not detect" "$work/notifications"'
  line=$(grep "did not detect" "$work/notifications" | head -1)
  [ "$(cut -f2 <<<"$line")" = io.github.p330.Configurator ] ||
    { echo "FAIL: notification without the desktop entry: $line"; return 1; }
  echo "notification: $line"
}

# X Y WIDTH HEIGHT SCREEN_WIDTH SCREEN_HEIGHT: the main window's frame is the skin's own
# 1000 x 648 (no title bar of the desktop's around it) and inside the screen.
check_whole() {
  if [ "$3" = 1000 ] && [ "$4" = 648 ] && [ "$1" -ge 0 ] && [ "$2" -ge 0 ] &&
     [ $(($1 + $3)) -le "$5" ] && [ $(($2 + $4)) -le "$6" ]; then
    echo "main window at ($1, $2), 1000 x 648 with no title bar around it: whole on $5x$6"
  else
    echo "FAIL: main window's frame at ($1, $2), $3 x $4, screen $5x$6"
    return 1
  fi
}

# P330 SHOWN MINIMISE MINIMISED: the first copy, against the simulated mouse, until SHOWN says
# its main window is there and active, whole (the test's function whole); MINIMISE; until
# MINIMISED; a second start; until SHOWN again, whole; then the first copy ends. SHOWN,
# MINIMISE and MINIMISED are commands.
check_second_start_brings_back() {  # (positional: the tests' own variables are global)
  "$1" --device "sim:$work/mouse.state" --data-dir "$work/data" 2>"$work/first.log" &
  first=$!
  pids="$pids $first"
  wait_for "$2"
  whole
  eval "$3"
  wait_for "$4"
  echo "minimised"
  timeout 20 "$1" 2>"$work/second.log"
  wait_for "$2"
  whole
  echo "a second start brought it back, active"
  kill "$first"
  wait "$first" || true
}
