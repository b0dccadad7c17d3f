#!/usr/bin/env bash
# The pictures of the README and the AppStream metadata: the real window against the
# simulated mouse, offscreen, in private folders of the build tree (nothing of the user's is
# read or written), each start in a new --data-dir made from the shipped defaults in its
# locale's language: the main view with panels open, a button's function list and the macro
# manager, in English and simplified Chinese.
set -euo pipefail
p330=$1 out=$2
work=$out/work
rm -rf "$work"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=offscreen LC_ALL= LC_MESSAGES=
for pair in en:en_US.UTF-8 zh_CN:zh_CN.UTF-8; do
  tag=${pair%%:*}
  for view in panels buttons macros; do
    data=$work/data-$tag-$view
    LANG=${pair#*:} timeout 60 "$p330" --device "sim:$work/mouse.state" \
      --data-dir "$data" --screenshot "$out/$view-$tag.png" \
      --screenshot-view "$view" --exit-after-screenshot
    # The folder was made from the shipped defaults, in the locale's language.
    want=EN; [ "$tag" = zh_CN ] && want=CHS
    grep -q "^Lan=$want" "$data/str0.ini" || { echo "$data: not made in $want"; exit 1; }
    [ "$(stat -c %s "$out/$view-$tag.png")" -gt 10000 ] || { echo "$view-$tag.png: empty"; exit 1; }
  done
done
rm -rf "$work"
