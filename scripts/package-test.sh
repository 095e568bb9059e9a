#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages from an existing build tree (the test build: no second build) and checks what a user
# gets: lintian finds nothing to report, the control data, the files and manual pages, the desktop entry and the
# AppStream data, that the program started from an unpacked tree finds its modules there, and that apt can
# install the packages here.
# Usage: scripts/package-test.sh BUILD_DIR
set -eu
build="$1"
id=org.tickwell.Tickwell
work=$(mktemp -d)
app=
trap '[ -z "$app" ] || kill "$app" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/tickwell_*.deb)
web=$(ls "$work"/tickwell-webengine_*.deb)

# Lintian, errors and warnings alike (its informational notes are not failures).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" "$web" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian"; }
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian reports the above"

# The program's package leaves the web engine to the web component, which it recommends.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6 libqt6network6 libqt6multimedia6 libc6; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
echo "$depends" | grep -q webengine && fail "the program's package depends on the web engine: $depends"
recommends=$(dpkg-deb -f "$deb" Recommends)
for pkg in tickwell-webengine libqt6svg6; do
  echo "$recommends" | grep -q "$pkg" || fail "tickwell does not recommend $pkg: $recommends"
done
webdepends=$(dpkg-deb -f "$web" Depends)
for lib in 'tickwell (= ' libqt6webenginewidgets6; do
  echo "$webdepends" | grep -qF "$lib" || fail "tickwell-webengine's Depends lacks $lib: $webdepends"
done

dpkg-deb --contents "$deb" | awk '{print $NF}' >"$work/contents"
dpkg-deb --contents "$web" | awk '{print $NF}' >"$work/webcontents"
for f in ./usr/bin/tickwell ./usr/bin/tickwell-cli ./usr/share/applications/$id.desktop \
  ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/metainfo/$id.metainfo.xml \
  ./usr/share/man/man1/tickwell.1.gz ./usr/share/man/man1/tickwell-cli.1.gz \
  ./usr/share/man/zh_CN/man1/tickwell.1.gz ./usr/share/man/zh_CN/man1/tickwell-cli.1.gz \
  ./usr/share/doc/tickwell/copyright ./usr/share/doc/tickwell/changelog.gz; do
  grep -qx "$f" "$work/contents" || fail "missing $f"
done
for f in ./usr/share/doc/tickwell-webengine/copyright ./usr/share/doc/tickwell-webengine/changelog.gz; do
  grep -qx "$f" "$work/webcontents" || fail "tickwell-webengine misses $f"
done
# Every module built beside the program is installed where the program looks for it: the page host alone in
# the web component, the others with the program.
for m in "$build"/src/libtickwell_*.so; do
  [ -e "$m" ] || continue
  name=$(basename "$m")
  list="$work/contents" other="$work/webcontents"
  [ "$name" = libtickwell_pagehost.so ] && { list="$work/webcontents"; other="$work/contents"; }
  grep -q "^\./usr/lib/.*tickwell/$name\$" "$list" || fail "module $name not packaged where it belongs"
  grep -q "/$name\$" "$other" && fail "module $name is in both packages"
done

# The program's package alone: the program runs and finds its modules in the unpacked tree, not in the build tree
# or a system folder. It loads the sound module on its first ring: a task falls due two seconds after start-up,
# with a music ring that names no file, so nothing is played. It loads the sync module at start as the folder has
# an account (on a closed port of this machine: the sync fails at once, and no keyring answers here).
root="$work/root"
dpkg-deb -x "$deb" "$root"
man -l "$root/usr/share/man/man1/tickwell-cli.1.gz" 2>/dev/null | grep -q -- '--data-dir' ||
  fail "the manual page of tickwell-cli lacks its help"
desktop-file-validate "$root/usr/share/applications/$id.desktop" >"$work/desktop.log" 2>&1 || true
[ -s "$work/desktop.log" ] && { cat "$work/desktop.log"; fail "desktop entry"; }
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "AppStream data"; }
"$root/usr/bin/tickwell-cli" --version | grep -q '^tickwell-cli' || fail "tickwell-cli does not run"

mkdir -p "$work/data" "$work/home" && mkdir -m 700 "$work/run"
due=$(date -d '+2 seconds' '+%Y-%m-%d %H:%M:%S')
cat >"$work/data/twdata.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<tasks ver="100000" types="">
  <task Id="1" DueDT="$due" CreateDT="$due" Status="0" AlarmDT="$due" DueDate="$(date -d "$due" +%Y-%-m-%-d)"
        DueTime="$(date -d "$due" +%-H:%M:%S)" RingType="2" Desc="package test"/>
</tasks>
XML
printf 'tickwell-sync 2\nserver\thttp://127.0.0.1:9/\ncalendar\thttp://127.0.0.1:9/cal/\n' >"$work/data/twsync.state"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
  XDG_DATA_HOME="$work/home/share" XDG_RUNTIME_DIR="$work/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
  PULSE_SERVER="unix:$work/no-pulse" ASAN_OPTIONS=detect_leaks=0 \
  "$root/usr/bin/tickwell" --data-dir "$work/data" >"$work/app.log" 2>&1 &
app=$!
found= sync=
for _ in $(seq 120); do
  found=$(grep -o "$root/usr/lib/.*libtickwell_audio\.so" "/proc/$app/maps" 2>/dev/null | head -n 1) || true
  sync=$(grep -o "$root/usr/lib/.*libtickwell_sync\.so" "/proc/$app/maps" 2>/dev/null | head -n 1) || true
  [ -n "$found" ] && [ -n "$sync" ] && break
  kill -0 "$app" 2>/dev/null || { cat "$work/app.log"; fail "the unpacked program ended early"; }
  sleep 0.5
done
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
app=
[ -n "$found" ] || { cat "$work/app.log"; fail "the unpacked program did not load its sound module from $root"; }
[ -n "$sync" ] || { cat "$work/app.log"; fail "the unpacked program did not load its sync module from $root"; }
# The web component unpacked over it puts the page host beside that module, where the same lookup finds it.
dpkg-deb -x "$web" "$root"
[ -f "$(dirname "$found")/libtickwell_pagehost.so" ] || fail "the page host is not beside $found"

# Every dependency can be met from what apt knows: dry runs of the installs a user would do.
apt-get install -s "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get cannot install tickwell"; }
apt-get install -s "$deb" "$web" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get cannot install both packages"; }
echo "package-test: $(basename "$deb") $(basename "$web") ok"
