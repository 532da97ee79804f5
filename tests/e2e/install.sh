#!/usr/bin/env bash
# cmake --install puts the program, its assets, a launcher and a desktop entry under a prefix;
# the launcher starts the program in its data folder from anywhere.
. "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?BUILD_DIR must name the build tree}"

prefix="$work/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
for f in bin/spherarium share/applications/spherarium.desktop share/spherarium/marble.bmp \
    share/spherarium/spark.bmp share/spherarium/boden.bmp share/spherarium/wand.bmp \
    share/spherarium/Explode.wav; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
grep -q '^Exec=spherarium$' "$prefix/share/applications/spherarium.desktop" || fail "desktop entry"

mkdir -p "$work/elsewhere"
PROGRAM="$prefix/bin/spherarium"
start "$work/elsewhere"
find_window
wait_title '^Fps:[0-9]+\.000000$' 4
key Escape
wait_exit
[ "$status" = 0 ] || fail "the installed program ended with $status"
grep -q '^Width of marble.bmp: 256$' "$work/stdout" || fail "the installed program did not read its images"
echo "install: ok"
