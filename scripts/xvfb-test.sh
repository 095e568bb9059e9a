#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs tests that need a real X display (tray host, windows driven from outside with xdotool) on a private X server
# (xvfb-run picks a free display) with a window manager and a private session bus that activates no service, so
# nothing reaches the user's desktop. The tests run only when TW_ON_XVFB is set.
# Usage: scripts/xvfb-test.sh TEST_EXECUTABLE GTEST_FILTER
set -e
bus="$(dirname "$0")/private-bus.conf"
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session --config-file="$bus" -- sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  sleep 1
  TW_ON_XVFB=1 "$0" --gtest_filter="$1"
  rc=$?
  kill $wm
  exit $rc' "$1" "$2"
