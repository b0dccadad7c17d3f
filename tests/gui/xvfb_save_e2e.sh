#!/usr/bin/env bash
# End to end under a real X server with real X events: p330 against the simulated mouse
# (its memory in a state file), DPI stage 1 set with its bar, Save, the program closed;
# then the profile image and the mouse's memory, read by p330ctl, hold the new value.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
. "$(dirname "$0")/xvfb_drive.sh"

xvfb_drive "$(cat <<'STEPS'
at "$main" 800 42   # "DPI Setting"
at "$main" 780 150  # stage 1's bar: value 203 - 1 - 150 = 52, 2600 DPI
save                # "Save", until the profile image is written
STEPS
)"

shown=$("$p330ctl" show "$data/config0.bin")
echo "$shown" | grep -E "stage 1 +2600" || { echo "profile image: $shown"; exit 1; }
status=$("$p330ctl" --device "sim:$state" --data-dir "$data" status)
echo "$status" | grep -E "stage 1: 2600" || { echo "mouse: $status"; exit 1; }
echo "saved through the window: 2600 DPI in the profile image and in the mouse"
