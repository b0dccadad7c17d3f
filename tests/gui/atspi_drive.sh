# Sourced by the AT-SPI end-to-end tests, after `set -euo pipefail` and with here set: finds a
# Python with pyatspi ($python) or skips the test (77) where it, the accessibility bus launcher
# or dbus-run-session is missing; then sources xvfb_drive.sh. $ATSPI_WRAP runs the steps with
# a session bus, the accessibility bus and Qt's bridge on.
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c "import pyatspi" 2>/dev/null; then python=$candidate; break; fi
done
if [ -z "$python" ] || [ ! -x /usr/libexec/at-spi-bus-launcher ] ||
   ! command -v dbus-run-session >/dev/null; then
  echo "skipped: no pyatspi, at-spi-bus-launcher or dbus-run-session"
  exit 77
fi
. "$here/xvfb_drive.sh"
ATSPI_WRAP="dbus-run-session -- $here/with_atspi_bus.sh"
