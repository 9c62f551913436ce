#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing need;
# with --arch arm64 also those of the cross build for 64-bit Arm: the cross
# compiler, the arm64 libraries beside the native ones, and the emulator
# that runs its programs here.
set -euo pipefail
packages=(
  cmake g++ ninja-build ccache pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools
  direwolf util-linux iproute2
  libmosquitto-dev mosquitto mosquitto-clients openssl libsystemd-dev
  xvfb xauth imagemagick dbus-daemon
  fonts-liberation
  clang libclang-rt-14-dev
  dpkg-dev file lintian reuse appstream desktop-file-utils
  systemd procps
)
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
case "$*" in
  "") ;;
  "--arch arm64")
    as_root dpkg --add-architecture arm64
    packages+=(
      crossbuild-essential-arm64 qemu-user-static
      qt6-base-dev:arm64 qt6-multimedia-dev:arm64 qt6-charts-dev:arm64
      libqt6opengl6-dev:arm64 libgl-dev:arm64
      libmosquitto-dev:arm64 libsystemd-dev:arm64
    )
    ;;
  *)
    echo "usage: install-deps.sh [--arch arm64]" >&2
    exit 2
    ;;
esac
as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
