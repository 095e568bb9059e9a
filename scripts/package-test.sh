#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from an existing build tree (the test build: no second build) and checks what a user
# gets: the control data, the files, the desktop entry and the AppStream data, and that apt can install it here.
# Usage: scripts/package-test.sh BUILD_DIR
set -eu
build="$1"
id=org.tickwell.Tickwell
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/tickwell_*.deb)

dpkg-deb --info "$deb" >"$work/info"
grep -q '^ Package: tickwell$' "$work/info" || fail "no package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6 libqt6network6 libqt6multimedia6 libqt6svg6 libc6; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done

dpkg-deb --contents "$deb" | awk '{print $NF}' >"$work/contents"
for f in ./usr/bin/tickwell ./usr/bin/tickwell-cli ./usr/share/applications/$id.desktop \
  ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/metainfo/$id.metainfo.xml; do
  grep -qx "$f" "$work/contents" || fail "missing $f"
done
# Every module built beside the program is installed where the program looks for it.
for m in "$build"/src/libtickwell_*.so; do
  [ -e "$m" ] || continue
  grep -q "^\./usr/lib/.*tickwell/$(basename "$m")\$" "$work/contents" || fail "module $(basename "$m") not packaged"
done

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop" | grep -v ': hint: ' && fail "desktop entry"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "AppStream data"; }
"$work/root/usr/bin/tickwell-cli" --version | grep -q '^tickwell-cli' || fail "tickwell-cli does not run"
# Every dependency can be met from what apt knows: a dry run of the install a user would do.
apt-get install -s "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get cannot install it"; }
echo "package-test: $(basename "$deb") ok"
