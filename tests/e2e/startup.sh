#!/usr/bin/env bash
# Start-up in a folder of the generated assets: the image lines, the window, the titles, the
# keys that do nothing and Escape.
. "$(dirname "$0")/lib.sh"

copy_assets "$work/run"
start "$work/run"
find_window

[ "$(title)" = Spherarium ] || fail "first title is '$(title)'"
geometry=$(xwininfo -id "$wid")
grep -q 'Absolute upper-left X:  0$' <<<"$geometry" || fail "window not at x 0"
grep -q 'Absolute upper-left Y:  0$' <<<"$geometry" || fail "window not at y 0"
grep -q 'Width: 640$' <<<"$geometry" || fail "window not 640 wide"
grep -q 'Height: 480$' <<<"$geometry" || fail "window not 480 high"

wait_title '^Fps:[0-9]+\.000000$' 4

key q space Return
sleep 0.5
running || fail "an ordinary key ended the program"
title | grep -Eq '^Fps:[0-9]+\.000000$' || fail "title is '$(title)' after ordinary keys"

key Escape
wait_exit
[ "$status" = 0 ] || fail "Escape ended with status $status"

expected="Width of marble.bmp: 256
Height of marble.bmp: 256
Width of spark.bmp: $(od -An -tu4 -j18 -N4 "$ASSETS/spark.bmp" | tr -d ' ')
Height of spark.bmp: $(od -An -tu4 -j22 -N4 "$ASSETS/spark.bmp" | tr -d ' ')
Width of boden.bmp: $(od -An -tu4 -j18 -N4 "$ASSETS/boden.bmp" | tr -d ' ')
Height of boden.bmp: $(od -An -tu4 -j22 -N4 "$ASSETS/boden.bmp" | tr -d ' ')
Width of wand.bmp: $(od -An -tu4 -j18 -N4 "$ASSETS/wand.bmp" | tr -d ' ')
Height of wand.bmp: $(od -An -tu4 -j22 -N4 "$ASSETS/wand.bmp" | tr -d ' ')"
[ "$(cat "$work/stdout")" = "$expected" ] || fail "standard output differs from the eight image lines"
echo "startup: ok"
