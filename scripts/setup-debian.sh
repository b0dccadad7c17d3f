#!/usr/bin/env bash
# Installs, once, every Debian package the build and the tests need. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libudev-dev libicu-dev umockdev libumockdev-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev lld
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev xvfb xauth xdotool
  fonts-wqy-microhei fonts-dejavu-core
  twm x11-utils x11-apps xxd python3 zsh fish
  dbus-daemon at-spi2-core python3-pyatspi
  qt6-wayland libwayland-dev wayland-protocols weston
  udev desktop-file-utils appstream dpkg-dev file lintian
  sway xfconf libxfconf-0-3 xinput xfwm4
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
