#!/usr/bin/env bash
# End to end under a real X server with real X key events: button 2 becomes Single Key "A"
# and button 3 Combo Key Left Ctrl + C through the lists and the key dialogs; after Save the
# simulated mouse holds the codes the saved profile encodes, and the INI holds the labels.
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
main=$(timeout 20 xdotool search --sync --onlyvisible --class p330 | head -n 1)
sleep 4  # past the splash
at() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.4; }
dialog() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
entry() { echo $((155 + 20 * $1 + 1 + 16 * $2 + 8)); }  # list of button $1, entry $2
at "$main" 140 117                   # "Button Assignment"
at "$main" 185 182                   # button 2's box
at "$main" 300 "$(entry 1 10)"       # "Single Key"
single=$(dialog "Single Key")
xdotool key a; sleep 0.3
at "$single" 279 262                 # OK
at "$main" 185 202                   # button 3's box
at "$main" 300 "$(entry 2 11)"       # "Combo Key"
combo=$(dialog "Combo Key")
at "$combo" 60 77                    # the modifier list
at "$combo" 80 96                    # "Left Ctrl"
at "$combo" 90 127                   # the first key's box
xdotool key c; sleep 0.3
at "$combo" 279 262                  # OK
at "$main" 950 619                   # "Save"
sleep 3
at "$main" 986 12                    # the close button ends the program
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "p330 did not end"; exit 1; fi
wait "$pid"
DRIVE
P330=$p330 STATE=$state DATA=$data XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb \
  timeout 90 xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/drive.sh"

grep -q "^Item2=Single Key-A" "$data/str0.ini" || { grep Item "$data/str0.ini"; exit 1; }
grep -q "^Item3=Combo Key-Left Ctrl+C" "$data/str0.ini" || { grep Item "$data/str0.ini"; exit 1; }
# The button table the mouse received: slots 1 and 2 hold buttons 2 and 3.
table=$(grep "^slot 0 buttons " "$state" | cut -d' ' -f4)
codes=$("$p330ctl" show --json "$data/config0.bin" | python3 -c '
import json, sys
buttons = json.load(sys.stdin)["buttons"]
for b in buttons[1:3]:
    assert b["kind_name"] in ("key", "combo"), b
    print(b["code"].replace(" ", "").lower())')
expected=$(printf '%s\n' "${table:8:8}" "${table:16:8}" | tr 'A-F' 'a-f')
[ "$codes" = "$expected" ] || { echo "profile: $codes, mouse: $expected"; exit 1; }
echo "buttons 2 and 3 set through the lists and the key dialogs: $codes"
