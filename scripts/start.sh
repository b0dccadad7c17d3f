#!/usr/bin/env bash
# Sets up, builds and starts the configurator's main job: sending the active profile to the
# mouse, or to the simulated mouse when none is plugged in, showing every transfer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
device=sim:build/simulated-mouse.state
if build/bin/p330ctl devices >/dev/null 2>&1; then device=auto; fi
exec build/bin/p330ctl --device "$device" --trace - apply "$@"
