#!/usr/bin/env bash
# Installs what is missing, builds, and plays the sample game in Game/.
# Without a display the game runs in a virtual X server.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DLHT_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target LanternHallTale

cd Game
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ../build/Source/LanternHallTale "$@"
fi
exec ../build/Source/LanternHallTale "$@"
