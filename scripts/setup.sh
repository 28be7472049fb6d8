#!/usr/bin/env bash
# Installs everything the player, its tests and its benchmarks need on Debian 12.
set -euo pipefail
packages=(
  cmake g++ ninja-build pkgconf clang clang-format
  qt6-base-dev qt6-qpa-plugins qt6-wayland
  libsdl2-dev libsndfile1-dev libfluidsynth-dev libsoxr-dev libarchive-dev libarchive-tools libcdio-dev libcdio-paranoia-dev
  libtag1-dev
  timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth trayer xdotool x11-utils imagemagick sox libsox-fmt-mp3 opus-tools lame zip unzip python3
  pulseaudio pulseaudio-utils dbus playerctl at-spi2-core python3-pyatspi openbox
  sway waybar grim
  libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
