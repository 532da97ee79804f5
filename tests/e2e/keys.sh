#!/usr/bin/env bash
# The special keys while running: the scene stops at a time step of about 0, the follow camera
# stands still, the arrows turn the scene and move the free camera, and nothing ends the program.
. "$(dirname "$0")/lib.sh"

start_frozen
shot "$work/a.ppm"
sleep 0.5
shot "$work/b.ppm"
still=$(difference "$work/a.ppm" "$work/b.ppm")
echo "still $still"; awk -v d="$still" 'BEGIN { exit !(d < 0.002) }' || fail "the stopped scene still changes ($still)"

key Left
sleep 0.3
shot "$work/c.ppm"
turned=$(difference "$work/b.ppm" "$work/c.ppm")
echo "turned $turned"; awk -v d="$turned" 'BEGIN { exit !(d > 0.01) }' || fail "Left did not turn the scene ($turned)"

key Up Up Up Up Up
sleep 0.3
shot "$work/d.ppm"
moved=$(difference "$work/c.ppm" "$work/d.ppm")
echo "moved $moved"; awk -v d="$moved" 'BEGIN { exit !(d < 0.002) }' || fail "Up moved the follow camera's view ($moved)"

# Back to the free camera; far back, the room covers less of the window.
key F3
sleep 0.3
shot "$work/e.ppm"
switched=$(difference "$work/d.ppm" "$work/e.ppm")
echo "switched $switched"; awk -v d="$switched" 'BEGIN { exit !(d > 0.01) }' || fail "F3 did not switch the camera ($switched)"
xdotool key --delay 10 $(printf 'Down %.0s' $(seq 1 60))
sleep 0.3
shot "$work/f.ppm"
near=$(mean "$work/e.ppm")
far=$(mean "$work/f.ppm")
echo "near $near far $far"; awk -v n="$near" -v f="$far" 'BEGIN { exit !(f < 0.8 * n) }' || fail "Down did not move the camera back ($near, $far)"

key F1 F1 F1 F1 F1 F1 F4 F4 Right Right
sleep 0.5
running || fail "a special key ended the program"
title | grep -Eq '^Fps:[0-9]+\.000000$' || fail "title is '$(title)'"
key Escape
wait_exit; [ "$status" = 0 ] || fail "Escape did not end the program with 0"
echo "keys: ok"
