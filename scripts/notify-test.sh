#!/bin/sh
# Runs the desktop-notification tests against a notification server on a private session bus, so nothing reaches
# the user's desktop. Usage: scripts/notify-test.sh path/to/tw_gui_tests
set -e
TW_PRIVATE_BUS=1 QT_QPA_PLATFORM=offscreen exec dbus-run-session -- "$1" --gtest_filter='PromptTest.NotificationOnAPrivateBus'
