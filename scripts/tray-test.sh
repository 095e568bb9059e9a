#!/bin/sh
# Runs the tray tests against a real tray host and a notification server: a private X server (xvfb-run picks a free
# display) with a window manager, and a private session bus, so nothing reaches the user's desktop.
# Usage: scripts/tray-test.sh path/to/tw_gui_tests
set -e
tests="$1"
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  sleep 1
  QT_QPA_PLATFORM=xcb TW_TRAY_HOST=1 "$0" --gtest_filter="SysTrayTest.TrayHost*:SysTrayTest.NoTrayHost*"
  rc=$?
  kill $wm
  exit $rc' "$tests"
