#!/usr/bin/env bash
# Sets up, builds and starts Spherarium in the folder of its generated images and sound.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SPHERARIUM_BUILD_DIR:-"$root/build"}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"

program="$build/app/spherarium"
if [ ! -x "$program" ]; then
    echo "run.sh: built; the program itself is not there yet" >&2
    exit 0
fi
cd "$build/assets"
exec "$program" "$@"
