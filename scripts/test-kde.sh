#!/usr/bin/env bash
# The pointer settings and the window under KDE Plasma's KWin: installs kwin-wayland (several
# hundred packages, which is why the main test command leaves it out), KWin for X11 and Plasma's
# window decoration, builds the desktop tests and the window and runs the KWin ones; without
# KWin they report that they skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v kwin_wayland >/dev/null || ! command -v kwin_x11 >/dev/null ||
   ! command -v kreadconfig5 >/dev/null; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    kwin-wayland kwin-x11 breeze libkf5config-bin
fi
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-test -G Ninja -DP330_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "${launcher[@]}" >/dev/null
cmake --build build-test -j "$(nproc)" --target desktop_pointer_tests p330 p330ctl
build-test/bin/desktop_pointer_tests --gtest_filter='KWin*'
(cd build-test && ctest --output-on-failure -L kde)
