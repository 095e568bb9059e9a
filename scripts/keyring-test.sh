#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs tests that store passwords in a real GNOME Keyring: a private session bus that activates no service, a
# keyring daemon on it whose keyrings live in a temporary home (unlocked with a test password on standard input),
# so nothing reaches the user's own keyring. The daemon ends with
# the bus. The tests run only when TW_PRIVATE_KEYRING is set.
# Usage: scripts/keyring-test.sh TEST_EXECUTABLE GTEST_FILTER
set -e
bus="$(cd "$(dirname "$0")" && pwd)/private-bus.conf"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_DATA_HOME="$home/share" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home" \
dbus-run-session --config-file="$bus" -- sh -c '
  printf "%s" "keyring-test" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  exec env TW_PRIVATE_KEYRING=1 "$0" --gtest_filter="$1"' "$1" "$2"
