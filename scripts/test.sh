#!/usr/bin/env bash
# Sets up, builds and runs every test of Spherarium under CTest.
# Without a DISPLAY it starts its own Xvfb on a free display number and stops it afterwards.
# Usage: scripts/test.sh [build-dir] [extra cmake options...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
shift || true

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$root/scripts/xvfb.sh"
trap stop_xvfb EXIT
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    echo "test.sh: started Xvfb on $DISPLAY"
fi

# The system's GL and X libraries keep some allocations until exit; they are not ours.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

cd "$build"
# SPHERARIUM_CTEST_ARGS selects tests, e.g. "-LE e2e" to leave out the end-to-end tests.
# shellcheck disable=SC2086
ctest --output-on-failure -j"$(nproc)" --timeout 600 ${SPHERARIUM_CTEST_ARGS:-}
