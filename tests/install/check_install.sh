#!/usr/bin/env bash
# The installed program as a distribution and a user meet it, from an already built tree:
# install to a staging folder and check the layout; validate the desktop file and the
# AppStream metadata; move the tree elsewhere and, as an unprivileged user with a fresh home,
# apply a profile to the simulated mouse with the installed p330ctl, then check that nothing
# under the prefix changed; build the .deb and have lintian find no error and no warning.
set -euo pipefail
build=$(cd "$1" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
fail() { echo "install check: $*" >&2; exit 1; }

DESTDIR=$stage/root cmake --install "$build" --prefix /usr >/dev/null
prefix=$stage/root/usr
id=io.github.p330.Configurator
udevdir=$(pkg-config --variable=udevdir udev 2>/dev/null || echo /usr/lib/udev)
for f in bin/p330 bin/p330ctl share/p330/defaults/config.bin share/p330/defaults/str5.ini \
  share/p330/defaults/record.ini share/p330/Skins/Graphite/main.png \
  share/p330/Skins/Graphite/main@2x.png share/p330/Skins/Graphite/Lighting/6@2x.png \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/256x256/apps/$id.png share/icons/hicolor/16x16/apps/$id.png \
  share/icons/hicolor/scalable/apps/$id.svg \
  share/man/man1/p330.1.gz share/man/man1/p330ctl.1.gz share/bash-completion/completions/p330ctl \
  share/zsh/vendor-completions/_p330ctl share/fish/vendor_completions.d/p330ctl.fish \
  share/doc/p330/LICENSE share/doc/p330/copyright share/doc/p330/changelog.gz; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
[ -e "$stage/root$udevdir/rules.d/70-p330.rules" ] || fail "the udev rule is not in $udevdir/rules.d"
[ "$(find "$prefix/bin" -type f | wc -l)" -eq 2 ] || fail "bin/ holds more than the two programs"
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null
echo "install check: layout, desktop file and metadata are good"

# A relocated tree, run by a user who may write nothing of it.
moved=$stage/elsewhere/opt
mkdir -p "$moved"
mv "$prefix" "$moved/p330"
prefix=$moved/p330
home=$stage/home
mkdir "$home"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home"
  run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod -R a-w "$prefix"
fi
before=$(find "$prefix" -printf '%p %s %m %T@\n' | sort | sha256sum)
"${run_as[@]}" env -i HOME="$home" PATH=/usr/bin:/bin LANG=zh_CN.UTF-8 "$prefix/bin/p330ctl" \
  --device "sim:$home/mouse.state" apply --profile 2
"${run_as[@]}" env -i HOME="$home" "$prefix/bin/p330ctl" paths | grep -q "$prefix/share/p330/defaults" ||
  fail "the relocated p330ctl does not find its data"
[ -s "$home/.config/p330/config2.bin" ] || fail "the user's folder was not made"
grep -q '^Lan=CHS' "$home/.config/p330/str0.ini" || fail "the locale's language was not taken"
after=$(find "$prefix" -printf '%p %s %m %T@\n' | sort | sha256sum)
[ "$before" = "$after" ] || fail "something under the prefix changed"
chmod -R u+w "$prefix"
echo "install check: a relocated tree works for an unprivileged user and stays untouched"

(cd "$build" && cpack -G DEB -B "$stage/package" >/dev/null)
deb=$(ls "$stage"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
case $depends in *libqt6widgets6*libudev1* | *libudev1*libqt6widgets6*) ;; *) fail "Depends: $depends" ;; esac
recommends=$(dpkg-deb -f "$deb" Recommends)  # the pointer settings' programs
[ "$recommends" = "libglib2.0-bin, xinput, qt6-wayland" ] || fail "Recommends: $recommends"
contents=$(dpkg-deb -c "$deb")
grep -q "\./usr/bin/p330ctl$" <<<"$contents" || fail "the package lacks p330ctl"
grep -q "rules.d/70-p330.rules$" <<<"$contents" || fail "the package lacks the udev rule"
echo "install check: $(basename "$deb") depends on $depends"

# Debian's policy checks, pedantic ones included: errors and warnings fail, notes are shown.
if ! command -v lintian >/dev/null; then
  fail "lintian is not installed (scripts/setup-debian.sh installs it)"
fi
status=0
lintian -EI --pedantic --fail-on error,warning "$deb" || status=$?
case $status in
  0) ;;
  1) fail "lintian reports errors or warnings" ;;
  *) fail "lintian could not check the package (status $status)" ;;
esac
echo "install check: lintian finds no error and no warning in $(basename "$deb")"
