#!/usr/bin/env bash
# End to end under a real X server: start p330 against the simulated mouse, wait past the
# splash, and keep a screenshot of the real window as an artifact of the build.
set -euo pipefail
program=$1 shipped=$2 shot=$3
data=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$data" "$runtime"' EXIT
cp -r "$shipped"/defaults/* "$data"/
ln -s "$shipped"/Skins "$data"/Skins  # read only here: a link, not hundreds of files copied
rm -f "$shot"
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb timeout 60 \
  "$(dirname "${BASH_SOURCE[0]}")/with_xvfb.sh" \
  "$program" --device sim --data-dir "$data" --screenshot "$shot" --exit-after-screenshot
size=$(stat -c %s "$shot")
echo "screenshot: $shot ($size bytes)"
[ "$size" -gt 10000 ]
