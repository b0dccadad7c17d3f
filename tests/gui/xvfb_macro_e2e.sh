#!/usr/bin/env bash
# End to end under a real X server with real key events: the macro manager opened from the
# window, a recording of the A key ended by Ctrl+Break, Enter to end it as OK, Save, close;
# then record.ini holds the recording and the saved profile's macro block 1 encodes it.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
. "$(dirname "$0")/xvfb_drive.sh"

xvfb_drive "$(cat <<'STEPS'
at "$main" 100 150                   # "Macro Manager"
manager=$(dialog "^Macro Manager$")
at "$manager" 340 99                 # "Start Recording" on the first macro
keys "$manager" --delay 120 a ctrl+Pause  # X delivers keys in order: Return comes after
xdotool key Return                   # after a recording Enter ends the dialog as OK does
wait_for '! xdotool search --onlyvisible --name "^Macro Manager$" >/dev/null'
save                                 # "Save", until the profile is written
STEPS
)"

shown=$("$p330ctl" --data-dir "$data" macro show Select_All_Copy)
# A pressed, the delay, A released; nothing of Ctrl+Break.
echo "$shown" | grep -q " 3 items" && echo "$shown" | grep -q "A   Up" ||
  { echo "record.ini: $shown"; exit 1; }
if echo "$shown" | grep -q "Ctrl"; then echo "Ctrl+Break was recorded: $shown"; exit 1; fi
image=$("$p330ctl" show "$data/config0.bin")
echo "$image" | grep -E "Macro block 1 +2 of 63 pairs" || { echo "profile image: $image"; exit 1; }
echo "recorded through the window with real keys and saved"
