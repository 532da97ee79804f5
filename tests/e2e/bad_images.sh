#!/usr/bin/env bash
# A missing or broken image ends the program at start with its message and status 1, after the
# lines of the images before it; later images are not read.
. "$(dirname "$0")/lib.sh"

check() { # name, expected stdout
    wait_exit
    [ "$status" = 1 ] || fail "$1: status $status"
    [ "$(cat "$work/stdout")" = "$2" ] || fail "$1: standard output differs"
    echo "$1: ok"
}

copy_assets "$work/missing"
rm "$work/missing/spark.bmp"
start "$work/missing"
check "missing spark.bmp" "Width of marble.bmp: 256
Height of marble.bmp: 256
File Not Found : spark.bmp"

copy_assets "$work/broken"
# 32 bits per pixel in the header of the wall image.
printf '\x20' | dd of="$work/broken/wand.bmp" bs=1 seek=28 conv=notrunc status=none
start "$work/broken"
w() { od -An -tu4 -j"$2" -N4 "$ASSETS/$1" | tr -d ' '; }
check "32-bit wand.bmp" "Width of marble.bmp: 256
Height of marble.bmp: 256
Width of spark.bmp: $(w spark.bmp 18)
Height of spark.bmp: $(w spark.bmp 22)
Width of boden.bmp: $(w boden.bmp 18)
Height of boden.bmp: $(w boden.bmp 22)
Width of wand.bmp: $(w wand.bmp 18)
Height of wand.bmp: $(w wand.bmp 22)
Bpp from wand.bmp is not 24: 32"

mkdir -p "$work/empty"
start "$work/empty"
check "no images at all" "File Not Found : marble.bmp"
