#!/usr/bin/env bash
# p330 under a desktop's own X11 window manager on Xvfb, with a session bus: WM xfwm4 (Xfce) or
# mutter (GNOME on X11). Checked from the X server and the window manager's hints: the main
# window whole on the screen, active, without a title bar of the window manager's (its frame,
# where it has one, no larger than the window); minimised, it comes back active with a second start; a
# notification names the desktop entry. Skips (77) where the window manager is not installed.
set -euo pipefail
wm=$1 p330=$2 shipped=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=compositor_steps.sh
. "$here/compositor_steps.sh"
skip_without "$wm" xdotool xprop xwininfo dbus-run-session
new_work "$shipped"

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
wm=$1 p330=$2 work=$3 here=$4
# shellcheck source-path=SCRIPTDIR source=compositor_steps.sh
. "$here/compositor_steps.sh"
export QT_QPA_PLATFORM=xcb
start_notification_log
trap 'kill $pids 2>/dev/null || true' EXIT
case $wm in
  mutter) mutter --x11 --replace --sm-disable >"$work/wm.log" 2>&1 & ;;
  *) "$wm" >"$work/wm.log" 2>&1 & ;;
esac
pids="$pids $!"
wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && notification_log_ready'

# The main window: the visible window of 1000 x 648 of the first copy; sets wid.
main_window() {
  local w
  wid=
  for w in $(xdotool search --onlyvisible --pid "$first" 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1000x648' && wid=$w
  done
  [ -n "$wid" ]
}
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$wid" ]; }
iconic() { xprop -id "$wid" WM_STATE | grep -q 'window state: Iconic'; }
# The window manager's frame around the window: its ancestor that is a child of the root.
frame() {
  local w=$wid tree
  while tree=$(xwininfo -tree -id "$w") && ! grep -q 'Parent window id: .*(the root window)' <<<"$tree"; do
    w=$(sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
  done
  echo "$w"
}
whole() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$(frame)")"
  check_whole "$X" "$Y" "$WIDTH" "$HEIGHT" 1280 800
}

check_second_start_brings_back "$p330" 'main_window && active && ! iconic' \
  'xdotool windowminimize "$wid"' iconic
check_notification_names_entry "$p330" 'xdotool search --onlyvisible --pid "$third" >/dev/null'
INNER

# Before the bus starts: the services it starts (xfconfd, the accessibility bus) use them too.
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
timeout 150 "$here/with_xvfb.sh" dbus-run-session -- bash "$work/run.sh" "$wm" "$p330" "$work" "$here" ||
  { echo "--- p330 and $wm:"; tail -n 20 "$work"/*.log 2>/dev/null; exit 1; }
