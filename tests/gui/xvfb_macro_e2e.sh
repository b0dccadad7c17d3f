#!/usr/bin/env bash
# End to end under a real X server with real key events: the macro manager opened from the
# window, a recording of the A key ended by Ctrl+Break, Enter to end it as OK, Save, close;
# then record.ini holds the recording and the mouse's macro block 1 plays it.
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
at() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.4; }
at "$wid" 100 150  # "Macro Manager"
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "^Macro Manager$" | head -n 1)
at "$dialog" 340 99   # "Start Recording" on the first macro
xdotool key --delay 120 a ctrl+Pause
sleep 0.4
xdotool key Return    # after a recording Enter ends the dialog as OK does
sleep 1
at "$wid" 950 619     # "Save"
sleep 3
at "$wid" 986 12      # the close button ends the program
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "p330 did not end"; exit 1; fi
wait "$pid"
DRIVE
P330=$p330 STATE=$state DATA=$data XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb \
  timeout 90 xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/drive.sh"

shown=$("$p330ctl" --data-dir "$data" macro show Select_All_Copy)
# A pressed, the delay, A released; nothing of Ctrl+Break.
echo "$shown" | grep -q " 3 items" && echo "$shown" | grep -q "A   Up" ||
  { echo "record.ini: $shown"; exit 1; }
if echo "$shown" | grep -q "Ctrl"; then echo "Ctrl+Break was recorded: $shown"; exit 1; fi
image=$("$p330ctl" show "$data/config0.bin")
echo "$image" | grep -E "Macro block 1 +2 of 63 pairs" || { echo "profile image: $image"; exit 1; }
echo "recorded through the window with real keys and saved"
