#!/usr/bin/env bash
# Sets up, builds and starts the configurator: the desktop program p330, against the mouse
# when one is plugged in and the simulated mouse otherwise (its memory kept in the user's
# folder). Builds only the two programs and their data. Extra arguments go to p330.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target p330 p330ctl
user_files=$(build/bin/p330ctl paths | sed -n 's/^user files: *//p')
device=sim:$user_files/simulated-mouse.state
if build/bin/p330ctl devices >/dev/null 2>&1; then device=auto; fi
exec build/bin/p330 --device "$device" "$@"
