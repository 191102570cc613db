#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the game
# need. Only missing packages are installed; nothing happens when all are there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libtinyxml-dev libphysfs-dev libgtest-dev libbenchmark-dev
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libepoxy-dev libtinyobjloader-dev fonts-dejavu-core
  libgl1-mesa-dri libegl-mesa0 xvfb xauth zip
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev ffmpeg
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: missing packages: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=""
  command -v sudo >/dev/null 2>&1 && SUDO="sudo "
  echo "install-deps: not root; run this and start again:"
  echo "  ${SUDO}apt-get update && ${SUDO}apt-get install -y ${missing[*]}"
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
