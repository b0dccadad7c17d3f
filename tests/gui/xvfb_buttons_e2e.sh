#!/usr/bin/env bash
# End to end under a real X server with real X key events: button 2 becomes Single Key "A"
# and button 3 Combo Key Left Ctrl + C through the lists and the key dialogs; after Save the
# simulated mouse holds the codes the saved profile encodes, and the INI holds the labels.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
. "$(dirname "$0")/xvfb_drive.sh"

xvfb_drive "$(cat <<'STEPS'
entry() { echo $((155 + 20 * $1 + 1 + 16 * $2 + 8)); }  # list of button $1, entry $2
at "$main" 140 117                   # "Button Assignment"
at "$main" 185 182                   # button 2's box
at "$main" 300 "$(entry 1 10)"       # "Single Key"
single=$(dialog "Single Key")
keys "$single" a
at "$single" 279 262                 # OK
at "$main" 185 202                   # button 3's box
at "$main" 300 "$(entry 2 11)"       # "Combo Key"
combo=$(dialog "Combo Key")
at "$combo" 60 77                    # the modifier list
at "$combo" 80 96                    # "Left Ctrl"
at "$combo" 90 127                   # the first key's box
keys "$combo" c
at "$combo" 279 262                  # OK
save                                 # "Save", until the profile is written
STEPS
)"

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
