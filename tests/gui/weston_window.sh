#!/usr/bin/env bash
# p330 on Wayland: weston nested in Xvfb (its x11 backend forwards the X server's xdotool
# events to its clients), p330 with QT_QPA_PLATFORM=wayland against the simulated mouse. Where
# each window is comes from weston's own scene graph (its debug scope), not from the program.
# Checked: the main window is whole inside the output below weston's panel; a click opens the
# DPI panel and one on its bar sets stage 1; Save is reachable (the profile image and the
# mouse hold the value); the macro manager opens and closes from the keyboard; after the hide
# button a second start brings the window back, whole and focused; without a tray no tray
# icon is made; a notification names the desktop entry. Skips (77) without weston.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=compositor_steps.sh
. "$here/compositor_steps.sh"
skip_without weston weston-debug xdotool dbus-run-session
new_work "$shipped"

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
p330=$1 p330ctl=$2 work=$3 here=$4
# shellcheck source-path=SCRIPTDIR source=compositor_steps.sh
. "$here/compositor_steps.sh"
data=$work/data state=$work/mouse.state
export P330_POINTER_DESKTOP=none  # Save leaves the desktop alone: no note box
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
width=1200 height=760  # inside Xvfb's 1280 x 800 screen, so every point can be clicked
start_notification_log
weston --backend=x11-backend.so --use-pixman --width=$width --height=$height \
  --socket=p330-test --idle-time=0 --debug >"$work/weston.log" 2>&1 &
pids="$pids $!"
trap 'kill $pids 2>/dev/null || true' EXIT
export WAYLAND_DISPLAY=p330-test QT_QPA_PLATFORM=wayland
wait_for '[ -S "$XDG_RUNTIME_DIR/p330-test" ] && notification_log_ready'
# The scene graph: one line per view of a live client, "role title x1 y1 x2 y2" (title with _
# for spaces); a closed window's last picture (PID 0) may linger there while it fades out.
views() {
  weston-debug scene-graph 2>/dev/null | awk '
    /View [0-9]+ \(role/ { role = $4; sub(/,$/, "", role); title = "-"
      if ($0 ~ /PID 0,/) role = "closed"
      if (match($0, /window \047[^\047]*\047/)) {
        title = substr($0, RSTART + 8, RLENGTH - 9); gsub(/ /, "_", title) } }
    /position: / { gsub(/[(),>-]/, " "); print role, title, $2, $3, $4, $5 }'
}
# The main window: a top-level of 1000 x 648; sets x y, its top-left corner.
main_window() {
  local line; line=$(views | awk '$1 == "xdg_toplevel" && $5 - $3 == 1000 && $6 - $4 == 648')
  [ -n "$line" ] || return 1
  read -r _ _ x y _ _ <<<"$line"
}
panel_bottom() { views | awk '$2 == "-" && $3 == 0 && $4 == 0 && $5 == '$width' && $6 < 100 {print $6}' | head -1; }
whole() {  # the main window inside the output and below the panel
  local top; top=$(panel_bottom); top=${top:-0}
  if [ "$x" -ge 0 ] && [ "$y" -ge "$top" ] && [ $((x + 1000)) -le $width ] &&
     [ $((y + 648)) -le $height ]; then
    echo "main window at ($x, $y) - ($((x + 1000)), $((y + 648))): whole below the panel"
  else
    echo "FAIL: main window at ($x, $y) - ($((x + 1000)), $((y + 648))), output ${width}x$height, panel to $top"
    views; return 1
  fi
}
toplevel() { views | grep -q "^xdg_toplevel $1 "; }
# weston's x11 backend moves its own pointer by the X pointer's steps, and sets it to the X
# pointer's place only when the pointer enters its window: where weston started under the
# pointer and missed that entry (2 starts in 8 here), its pointer stayed near (0, 0) and the
# clicks landed hundreds of pixels from where xdotool put them. So each move enters from outside.
point() { xdotool mousemove $((width + 40)) $((height + 20)) mousemove $((x + $1)) $((y + $2)); }
# A click, then until the output shows its effect (at most 4 s: some clicks change nothing),
# so that a loaded machine does not lose the next click to a panel still opening.
look() { xwd -root -silent 2>/dev/null | md5sum; }
at() {
  local before; before=$(look)
  point "$1" "$2"
  xdotool click 1
  wait_for '[ "$(look)" != "$before" ]' 40 || true
}
stamp() { stat -c %.9Y "$data/config0.bin" 2>/dev/null || echo none; }

"$p330" --device "sim:$state" --data-dir "$data" 2>"$work/first.log" &
first=$!
pids="$pids $first"
wait_for main_window
whole
[ "$(views | grep -c '^xdg_toplevel VELSTRA')" -eq 1 ] ||
  { echo "FAIL: more than the main window is shown"; views; exit 1; }

# The keyboard: Tab to "Macro Manager", Enter opens it, Esc closes it.
point 500 600  # over the window, clicking nothing
xdotool key Tab Tab Return
wait_for 'toplevel Macro_Manager' || { views; exit 1; }
echo "the macro manager opened from the keyboard"
xdotool key Escape
wait_for '! toplevel Macro_Manager'
echo "and closed from the keyboard"

# Clicks: the DPI panel opens, its bar sets stage 1, Save writes the profile and the mouse.
before=$(stamp)
at 800 42   # "DPI Setting"
at 780 150  # stage 1's bar: 2600 DPI
at 950 619  # "Save"
wait_for '[ "$(stamp)" != "$before" ]'
"$p330ctl" show "$data/config0.bin" | grep -E "stage 1 +2600" ||
  { echo "FAIL: the profile image has not stage 1 at 2600"; exit 1; }
echo "the panel opened by a click; Save reached: stage 1 at 2600 DPI in the profile image"

# Hidden (minimised: there is no tray), then back with a second start.
at 965 12
wait_for '! main_window'
echo "minimised by the hide button"
timeout 20 "$p330" 2>"$work/second.log"
wait_for main_window
whole
# Focused again: Ctrl+S saves (asked again while the Save lock of the last click holds).
before=$(stamp)
wait_for 'xdotool key ctrl+s; [ "$(stamp)" != "$before" ]' 50
echo "a second start brought it back and it takes the keyboard"
if grep -i "tray" "$work/first.log"; then echo "FAIL: a tray icon was made without a tray"; exit 1; fi
at 986 12  # the close button ends the program
wait_for '! kill -0 $first 2>/dev/null'
wait "$first"

check_notification_names_entry "$p330" main_window
at 986 12
wait_for '! kill -0 $third 2>/dev/null'
INNER

timeout 150 "$here/with_xvfb.sh" dbus-run-session -- bash "$work/run.sh" "$p330" "$p330ctl" "$work" "$here" ||
  { echo "--- p330:"; cat "$work"/*.log 2>/dev/null | tail -40; exit 1; }
"$p330ctl" --device "sim:$work/mouse.state" --data-dir "$work/data" status | grep -E "stage 1: 2600" ||
  { echo "FAIL: the mouse has not stage 1 at 2600"; exit 1; }
echo "the mouse holds stage 1 at 2600 DPI"
