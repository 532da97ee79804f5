#!/usr/bin/env bash
# The special keys while running: the scene stops at a time step of about 0, the follow camera
# stands still, the arrows turn the scene and move the free camera, and nothing ends the program.
. "$(dirname "$0")/lib.sh"

start_frozen
expect_view same "first capture"
expect_view same "the stopped scene"
expect_view changed "Left turns the scene" Left
expect_view same "Up leaves the follow camera's view" Up Up Up Up Up
# Back to the free camera; far back, the room covers less of the window.
expect_view changed "F3 switches the camera" F3
xdotool key --delay 10 $(printf 'Down %.0s' $(seq 1 60))
sleep 0.3
shot "$work/far.ppm"
near=$(mean "$work/view.$views.ppm")
far=$(mean "$work/far.ppm")
awk -v n="$near" -v f="$far" 'BEGIN { exit !(f < 0.8 * n) }' || fail "Down did not move the camera back ($near, $far)"

key F1 F1 F1 F1 F1 F1 F4 F4 Right Right
sleep 0.5
running || fail "a special key ended the program"
title | grep -Eq '^Fps:[0-9]+\.000000$' || fail "title is '$(title)'"
key Escape
wait_exit; [ "$status" = 0 ] || fail "Escape did not end the program with 0"
echo "keys: ok"
