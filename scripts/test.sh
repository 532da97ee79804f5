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

xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb writes the display number it chose to the given descriptor once it accepts clients.
    exec 3< <(Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 >/dev/null 2>&1 &
              echo "pid $!")
    display=""
    for _ in 1 2; do
        read -r -t 30 line <&3 || break
        case "$line" in
            pid\ *) xvfb_pid=${line#pid } ;;
            *) display=$line ;;
        esac
    done
    if [ -z "$display" ]; then
        echo "test.sh: Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=":$display"
    echo "test.sh: started Xvfb on $DISPLAY"
fi

# The system's GL and X libraries keep some allocations until exit; they are not ours.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

cd "$build"
# SPHERARIUM_CTEST_ARGS selects tests, e.g. "-LE e2e" to leave out the end-to-end tests.
# shellcheck disable=SC2086
ctest --output-on-failure -j"$(nproc)" --timeout 600 ${SPHERARIUM_CTEST_ARGS:-}
