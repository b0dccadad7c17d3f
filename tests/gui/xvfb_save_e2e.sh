#!/usr/bin/env bash
# End to end under a real X server with real X events: p330 against the simulated mouse
# (its memory in a state file), DPI stage 1 set with its bar, Save, the program closed;
# then the profile image and the mouse's memory, read by p330ctl, hold the new value.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/data runtime=$work/runtime state=$work/mouse.state
mkdir -p "$data" "$runtime"
chmod 700 "$runtime"
cp -r "$shipped"/Skins "$shipped"/defaults/* "$data"/

cat > "$work/drive.sh" <<'DRIVE'
set -euo pipefail
"$P330" --device "sim:$STATE" --data-dir "$DATA" &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --class p330 | head -n 1)
sleep 4  # past the splash
at() { xdotool mousemove --window "$wid" "$1" "$2" click 1; sleep 0.4; }
at 800 42     # "DPI Setting"
at 780 150    # stage 1's bar: value 203 - 1 - 150 = 52, 2600 DPI
at 950 619    # "Save"
sleep 3       # the upload and the Save lock
at 986 12     # the close button ends the program
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "p330 did not end"; exit 1; fi
wait "$pid"
DRIVE
P330=$p330 STATE=$state DATA=$data XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb \
  timeout 90 xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/drive.sh"

shown=$("$p330ctl" show "$data/config0.bin")
echo "$shown" | grep -E "stage 1 +2600" || { echo "profile image: $shown"; exit 1; }
status=$("$p330ctl" --device "sim:$state" --data-dir "$data" status)
echo "$status" | grep -E "stage 1: 2600" || { echo "mouse: $status"; exit 1; }
echo "saved through the window: 2600 DPI in the profile image and in the mouse"
