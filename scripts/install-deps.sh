#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Tickwell.
# Safe to run again: only missing packages are installed.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-webengine-dev libqt6webenginecore6-bin libqt6webengine6-data
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  timgm6mb-soundfont pulseaudio pulseaudio-utils
  xvfb xauth x11-apps imagemagick openbox fonts-wqy-microhei
  trayer xdotool dbus python3-dbusmock
  libqt6svg6 file dpkg-dev desktop-file-utils appstream lintian help2man
  libical-dev qt6-translations-l10n
  qtkeychain-qt6-dev gnome-keyring radicale xandikos openssl bc time
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
