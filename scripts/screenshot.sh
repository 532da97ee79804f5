#!/usr/bin/env bash
# Makes docs/screenshot.png: the running scene, a few seconds after start, under its own Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SPHERARIUM_BUILD_DIR:-"$root/build"}
seconds=${1:-4}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target spherarium spherarium_assets >/dev/null

. "$root/scripts/xvfb.sh"
start_xvfb
(cd "$build/assets" && exec env SDL_AUDIODRIVER=dummy "$build/app/spherarium" >/dev/null 2>&1) &
program=$!
trap 'kill "$program" 2>/dev/null || true; stop_xvfb' EXIT

sleep "$seconds"
mkdir -p "$root/docs"
# The GL window captures black on its own, so the screen is captured and cropped to it.
import -window root -crop 640x480+0+0 +repage "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
