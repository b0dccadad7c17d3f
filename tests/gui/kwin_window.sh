#!/usr/bin/env bash
# p330 under KWin, KDE Plasma's window manager, with a session bus: MODE wayland runs
# kwin_wayland on its virtual backend (1400 x 900) with p330 as a Wayland client; MODE x11 runs
# kwin_x11 on Xvfb with p330 as an X11 client. Where each window is and its state come from
# KWin itself (a KWin script's print()). Checked: the main window whole on the screen, at its
# fixed size and without KWin's title bar (its frame is the skin's own 1000 x 648); minimised
# by KWin, it comes back active with a second start; a notification names the desktop entry.
# KWin is several hundred packages: skips (77) without it (scripts/test-kde.sh installs it).
set -euo pipefail
mode=$1 p330=$2 shipped=$3
here=$(cd "$(dirname "$0")" && pwd)
kwin=kwin_$mode
# shellcheck source-path=SCRIPTDIR source=compositor_steps.sh
. "$here/compositor_steps.sh"
skip_without "$kwin" qdbus dbus-run-session
new_work "$shipped"
mkdir "$work/home/bin"
# A copy without the file capabilities the installed binary carries, which a sandbox may refuse
# to start; KWin wants its own name.
cp "$(command -v "$kwin")" "$work/home/bin/$kwin"

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
mode=$1 p330=$2 work=$3 here=$4
# shellcheck source-path=SCRIPTDIR source=compositor_steps.sh
. "$here/compositor_steps.sh"
data=$work/data
export P330_POINTER_DESKTOP=none  # the window alone: no note of pointer settings
start_notification_log
trap 'kill $pids 2>/dev/null || true' EXIT
# print() of KWin's scripts reaches its log through this category.
export QT_LOGGING_RULES="kwin_scripting=true;js=true"
if [ "$mode" = wayland ]; then
  "$work/home/bin/kwin_wayland" --virtual --width 1400 --height 900 --no-lockscreen \
    --no-global-shortcuts --no-kactivities --socket p330-kwin >"$work/kwin.log" 2>&1 &
  export WAYLAND_DISPLAY=p330-kwin QT_QPA_PLATFORM=wayland
  screen="1400 900"
else
  "$work/home/bin/kwin_x11" --replace >"$work/kwin.log" 2>&1 &
  export QT_QPA_PLATFORM=xcb
  screen="1280 800"
fi
pids="$pids $!"
wait_for 'qdbus org.kde.KWin /Scripting >/dev/null 2>&1 && notification_log_ready'
# Runs a KWin script (JavaScript) once; its print() lines, "js: ..." in KWin's log, are kept.
scripts=0
kwin_script() {
  scripts=$((scripts + 1))
  printf '%s\n' "$1" >"$work/script$scripts.js"
  qdbus org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript "$work/script$scripts.js" \
    "p330-$scripts" >/dev/null
  qdbus org.kde.KWin /Scripting org.kde.kwin.Scripting.start
}
# The main window as KWin sees it: "x y width height minimised active resizable" of its frame
# (KWin's title bar included); every window of the program is in KWin's log.
main_window() {
  local mark="p330-state-$scripts" line
  kwin_script "workspace.clientList().forEach(function (c) {
    if (c.caption.indexOf('VELSTRA') != 0) return;
    var g = c.frameGeometry;
    print('$mark', g.x, g.y, g.width, g.height, c.minimized, c.active, c.resizeable); });
    print('$mark', 'end');"
  wait_for "grep -q '$mark end' '$work/kwin.log'" 20 >/dev/null || return 1
  line=$(grep -a "$mark " "$work/kwin.log" | awk '$5 >= 1000' | tail -1)
  [ -n "$line" ] && read -r _ _ x y w h minimised active resizable <<<"$line"
}
whole() {
  check_whole "$x" "$y" "$w" "$h" $screen || return 1
  [ "$resizable" = false ] || { echo "FAIL: KWin lets the fixed-size window be resized"; return 1; }
}
minimise() {
  kwin_script "workspace.clientList().forEach(function (c) {
    if (c.caption.indexOf('VELSTRA') == 0) c.minimized = true; });"
}

check_second_start_brings_back "$p330" \
  'main_window && [ "$active" = true ] && [ "$minimised" = false ]' \
  minimise 'main_window && [ "$minimised" = true ]'
check_notification_names_entry "$p330" main_window
INNER

# Before the bus starts: the services it starts for KWin (kglobalaccel) use them too.
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
runner=(dbus-run-session -- bash "$work/run.sh" "$mode" "$p330" "$work" "$here")
[ "$mode" = wayland ] || runner=("$here/with_xvfb.sh" "${runner[@]}")
timeout 150 "${runner[@]}" ||
  { echo "--- p330 and KWin:"; tail -n 20 "$work"/*.log 2>/dev/null; exit 1; }
