#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the desktop-notification test against a notification server it starts on a private session bus that activates
# no service, so nothing reaches the user's desktop. Usage: scripts/notify-test.sh path/to/tw_gui_tests
set -e
bus="$(dirname "$0")/private-bus.conf"
TW_PRIVATE_BUS=1 QT_QPA_PLATFORM=offscreen exec dbus-run-session --config-file="$bus" -- "$1" \
  --gtest_filter='PromptTest.NotificationOnAPrivateBus'
