#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-webengine-dev qt6-serialport-dev qt6-svg-dev
  libmpv-dev libcdio-dev libcdio-paranoia-dev libfontconfig-dev libtag1-dev
  libfluidsynth-dev fluid-soundfont-gm
  xvfb xauth x11-apps imagemagick ffmpeg mpv fonts-dejavu-core libxcb1-dev
  python3 poppler-utils
  dbus dbus-bin weston qt6-wayland sway grim libwayland-dev libwayland-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
