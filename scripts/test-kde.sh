#!/usr/bin/env bash
# The pointer settings against KDE Plasma's compositor: installs kwin-wayland (several hundred
# packages, which is why the main test command leaves it out), builds the desktop tests and runs
# the KWin ones; without it they report that they skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v kwin_wayland >/dev/null || ! command -v kreadconfig5 >/dev/null; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    kwin-wayland libkf5config-bin
fi
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-test -G Ninja -DP330_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null
cmake --build build-test -j "$(nproc)" --target desktop_pointer_tests
build-test/bin/desktop_pointer_tests --gtest_filter='KWin*'
