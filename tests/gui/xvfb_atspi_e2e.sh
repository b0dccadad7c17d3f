#!/usr/bin/env bash
# What a screen reader reads and sets, end to end: p330 under Xvfb with a session bus and the
# AT-SPI registry; its tree read by pyatspi with "DPI Setting", "USB Report Rate" and "Button
# Assignment" open (names, states, values and the ranges they lie in),
# "Stage 1" set to 2600 DPI through the value interface, Save; the profile image and the
# simulated mouse hold 2600. Skips (77) where the accessibility bus or pyatspi is missing.
set -euo pipefail
p330=$1 p330ctl=$2 shipped=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/atspi_drive.sh"

export PYTHON=$python TREE=$here/atspi_tree.py OUT=$work/tree.txt
XVFB_DRIVE_WRAP=$ATSPI_WRAP xvfb_drive "$(cat <<'STEPS'
at "$main" 800 42   # "DPI Setting"
at "$main" 800 317  # "USB Report Rate", below the DPI panel
at "$main" 100 117  # "Button Assignment"
"$PYTHON" "$TREE" > "$OUT"

save
STEPS
)" || { cat "$work/tree.txt" 2>/dev/null; exit 1; }
cat "$work/tree.txt"

shown=$("$p330ctl" show "$data/config0.bin")
echo "$shown" | grep -E "stage 1 +2600" || { echo "profile image: $shown"; exit 1; }
status=$("$p330ctl" --device "sim:$state" --data-dir "$data" status)
echo "$status" | grep -E "stage 1: 2600" || { echo "mouse: $status"; exit 1; }
echo "set through AT-SPI: 2600 DPI in the profile image and in the mouse"
