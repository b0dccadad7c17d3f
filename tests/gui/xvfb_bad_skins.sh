#!/usr/bin/env bash
# Skins that once hung p330 or left a running 1x1 window, under a real X server: a FIFO as
# main.png, a main.png cut off, images of 7000 and 20000 pixels square, 2x art of the wrong
# size. Each start shows its message box (a real window, not 1x1) and ends with 4 after it;
# the images the splash does not need are checked once it is on screen.
set -euo pipefail
p330=$1 shipped=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"

# A PNG signature, a header claiming $1 x $2 pixels, and the end chunk: no pixels at all.
claiming() {
  printf '\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR'
  printf '%08x%08x' "$1" "$2" | xxd -r -p
  printf '\x08\x06\0\0\0\0\0\0\0\0\0\0\0IEND\xae\x42\x60\x82'
}
for kind in fifo cut 7000 20000 double; do  # a data folder with each skin fault
  skin=$work/$kind/Skins/Graphite
  mkdir -p "$work/$kind"
  cp -r "$shipped"/Skins "$shipped"/defaults/* "$work/$kind"/
  case $kind in
    fifo) rm "$skin/main.png"; mkfifo "$skin/main.png" ;;
    cut) head -c 3000 "$shipped/Skins/Graphite/main.png" > "$skin/main.png" ;;
    7000) claiming 7000 7000 > "$skin/main.png" ;;
    20000) claiming 20000 20000 > "$skin/Config/Config.png" ;;
    double) claiming 1000 648 > "$skin/main@2x.png" ;;  # not twice main.png
  esac
done

cat > "$work/drive.sh" <<'DRIVE'
set -uo pipefail
for kind in fifo cut 7000 20000 double; do
  "$P330" --device sim --data-dir "$WORK/$kind" &
  pid=$!
  # The box, before the splash or once the splash is painted: a dialog among p330's windows.
  box=
  for _ in $(seq 200); do
    for w in $(xdotool search --onlyvisible --class p330 2>/dev/null); do
      xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q DIALOG && box=$w
    done
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || { echo "$kind: no message box"; kill "$pid"; exit 1; }
  if xdotool getwindowgeometry "$box" | grep -q "Geometry: 1x1"; then
    echo "$kind: a 1x1 window"; kill "$pid"; exit 1
  fi
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { echo "$kind: still running"; kill "$pid"; exit 1; }
  wait "$pid"; code=$?
  [ "$code" = 4 ] || { echo "$kind: exit status $code, not 4"; exit 1; }
  echo "$kind: message box, exit 4"
done
DRIVE
P330=$p330 WORK=$work XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb \
  timeout 120 "$(dirname "${BASH_SOURCE[0]}")/with_xvfb.sh" bash "$work/drive.sh"
