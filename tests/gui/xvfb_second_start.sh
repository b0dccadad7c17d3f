#!/usr/bin/env bash
# Under a real X server with a window manager and no tray, in Chinese under a locale that is
# not installed: the window carries its icon and its title in both X title properties; its
# hide button minimises it (the window manager keeps it, iconified), it comes back as the
# window manager's icon or window list brings it back, and when p330 is started again, and the
# second start ends.
set -euo pipefail
program=$1 shipped=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
cp -r "$shipped"/defaults/* "$work/data"/
ln -s "$shipped"/Skins "$work/data"/Skins  # read only here: a link, not hundreds of files copied
sed -i 's/^Lan=.*/Lan=CHS/' "$work/data"/str*.ini
# twm, a small window manager that iconifies as a desktop's does; its fonts must exist.
printf 'RandomPlacement\nNoTitle\n' >"$work/twmrc"
for font in TitleFont ResizeFont MenuFont IconFont IconManagerFont; do
  echo "$font \"fixed\"" >>"$work/twmrc"
done

cat >"$work/run.sh" <<'INNER'
set -euo pipefail
program=$1 work=$2
LANG=C twm -f "$work/twmrc" &
twm=$!
LANG=zh_CN.UTF-8 "$program" --device sim --data-dir "$work/data" 2>"$work/first.log" &
first=$!
trap 'kill $first $twm 2>/dev/null || true' EXIT
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
# Past the splash: the main view is a window of its own, 1000 x 648.
wid=
for _ in $(seq 200); do
  for w in $(xdotool search --onlyvisible --pid "$first" 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1000x648' && wid=$w
  done
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "FAIL: no main window"; exit 1; }
echo "window $wid"
# Managed: the window manager has put the window into a frame of its own.
managed() { ! xwininfo -tree -id "$wid" | grep -q 'Parent window id: .*(the root window)'; }
for _ in $(seq 100); do managed && break; sleep 0.1; done
managed || { echo "FAIL: no window manager took the window"; exit 1; }
# grep reads the whole icon: with -q it would stop at the first line, and xprop, cut off by
# the pipe, would fail the pipeline.
has_icon() { xprop -id "$wid" _NET_WM_ICON | grep '_NET_WM_ICON(CARDINAL) = ' >/dev/null; }
for _ in $(seq 50); do has_icon && break; sleep 0.1; done
if ! has_icon; then echo "FAIL: the window sets no icon"; exit 1; fi
echo "the window has its icon"
# The legacy title is text in the X encodings, not UTF-8 bytes passed off as Latin-1.
for property in WM_NAME _NET_WM_NAME; do
  title=$(LC_ALL=C.UTF-8 xprop -id "$wid" "$property")
  case $title in
    *"= \"Tarnic外设\""*) echo "$title" ;;
    *) echo "FAIL: $title"; exit 1 ;;
  esac
done
# Past the splash: the main view is 1000 x 648, and mapped (it maps itself after the size
# changes), so nothing maps it again once it is minimised.
for _ in $(seq 100); do
  xdotool getwindowgeometry "$wid" | grep -q 'Geometry: 1000x648' && viewable "$wid" && break
  sleep 0.1
done
# The hide button; the main view may still be mapping itself: until it stays minimised.
# Minimised, not hidden: the window manager keeps it, iconified, so its icon or window list
# (here as twm's icon manager does: it maps the window) brings it back.
iconic() { xprop -id "$wid" WM_STATE | grep -q 'window state: Iconic'; }
minimise() {
  for _ in $(seq 20); do
    xdotool mousemove --window "$wid" 965 12 click 1 || true
    sleep 0.2
    viewable "$wid" || break
  done
  if viewable "$wid" || ! iconic; then echo "FAIL: the hide button did not minimise"; exit 1; fi
}
minimise
echo "minimised, iconified by the window manager"
xdotool windowmap "$wid"
for _ in $(seq 50); do viewable "$wid" && break; sleep 0.1; done
viewable "$wid" || { echo "FAIL: the window manager could not bring it back"; exit 1; }
echo "brought back as from the window list"
minimise
timeout 20 "$program" --device sim --data-dir "$work/data" 2>"$work/second.log"
echo "second start ended with 0"
# Its own options do not reach the running copy, and it says so.
grep -q -- "--device, --data-dir apply only to a new copy" "$work/second.log" ||
  { echo "FAIL: the second start did not say its options were not applied"; exit 1; }
for _ in $(seq 50); do
  if viewable "$wid"; then echo "the first copy's window is shown again"; exit 0; fi
  sleep 0.1
done
echo "FAIL: the window stayed hidden"; cat "$work/first.log"; exit 1
INNER

XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb timeout 90 \
  "$(dirname "${BASH_SOURCE[0]}")/with_xvfb.sh" bash "$work/run.sh" "$program" "$work"
