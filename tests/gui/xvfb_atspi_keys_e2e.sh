#!/usr/bin/env bash
# Keys and a listening screen reader, end to end: p330 under Xvfb with a session bus, the AT-SPI
# registry and a client registered for p330's events (as a screen reader is). The macro manager
# opened from the keyboard is the only window with an element told as focused; a macro recorded
# with real keys holds each key once; a DPI bar stepped from the keyboard and a button function
# chosen from its list are heard with their new values, and the focus back on the button; a
# lighting bar stepped down from its end is heard as its scale reads there.
# Skips (77) where the accessibility bus or pyatspi is missing.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/atspi_drive.sh"

export PYTHON=$python LISTENER=$here/atspi_listener.py ACT=$here/atspi_act.py \
  TREE=$here/atspi_tree.py HEARD=$work/heard.txt
XVFB_DRIVE_WRAP=$ATSPI_WRAP xvfb_drive "$(cat <<'STEPS'
"$PYTHON" "$LISTENER" "$HEARD" &
listener=$!
wait_for 'grep -qs ready "$HEARD"'
xdotool mousemove --window "$main" 100 60 click 1  # the window takes the keys (the logo)
"$PYTHON" "$ACT" "Macro Manager" SetFocus
keys "$main" Return                  # opens it from the keyboard: the focus stays there
manager=$(dialog "^Macro Manager$")
"$PYTHON" "$TREE" --focus            # told as focused in the dialog only, not in the window
at "$manager" 340 99                 # "Start Recording" on the first macro
keys "$manager" --delay 120 h i ctrl+Pause
xdotool key Return                   # ends the dialog as OK
wait_for '! xdotool search --onlyvisible --name "^Macro Manager$" >/dev/null'
# A DPI bar one step up from the keyboard; Button 4 set to Double Click from its list.
at "$main" 800 42                    # "DPI Setting"
at "$main" 100 117                   # "Button Assignment"
"$PYTHON" "$ACT" "Stage 1" SetFocus
keys "$main" Right
"$PYTHON" "$ACT" "Lighting" Press
"$PYTHON" "$ACT" "Standard" SetFocus slider
keys "$main" Left                    # from the end (level 6, "100%") one step down
"$PYTHON" "$ACT" "Button 4" SetFocus
keys "$main" Down                    # opens the list on the current function
xdotool key Home Down Down Down Down Down Return
wait_for 'grep -qE "description[^|]*.combo box.Button 4.Double Click" "$HEARD"' 100 || true
wait_for 'grep "focused:1" "$HEARD" | tail -n 1 | grep -q "|combo box|Button 4|"' 100 || true
kill $listener
save                                 # nothing unsaved: the close button then just ends
STEPS
)" || { cat "$work/heard.txt" 2>/dev/null; exit 1; }

shown=$("$p330ctl" --data-dir "$data" macro show Select_All_Copy)
# H and I pressed and released once each, with the delays between.
echo "$shown" | grep -q " 7 items" || { echo "recorded twice or not at all: $shown"; exit 1; }
echo "recorded once each with a screen reader listening"
heard() {
  grep -qE "$1" "$work/heard.txt" || { echo "not heard: $1"; cat "$work/heard.txt"; exit 1; }
}
heard "value[^|]*.slider.Stage 1.850 DPI.850"
heard "description[^|]*.combo box.Button 4.Double Click"
heard "value[^|]*.slider.Standard.75%.5"
# After the choice the focus is told on the button, the last focus told.
grep "focused:1" "$work/heard.txt" | tail -n 1 | grep -q "|combo box|Button 4|" ||
  { echo "focus not on Button 4:"; grep focused "$work/heard.txt"; exit 1; }
echo "the new value, the new function and the focus on the button heard"
