#!/usr/bin/env bash
# After a resize the whole window is drawn with the window's aspect: the followed ball stays
# round and in the middle, and grows with the window's height.
. "$(dirname "$0")/lib.sh"

start_frozen

# The followed ball: the red blob around the middle of the window.
ball() { # file width height
    convert "$1" -gravity center -crop "$(($2 * 2 / 5))x$(($3 * 2 / 5))+0+0" +repage "$work/mid.ppm"
    read -r bw bh cx cy < <(red_box "$work/mid.ppm")
    echo "$bw $bh $((cx + $2 / 2 - $2 / 5)) $((cy + $3 / 2 - $3 / 5))"
}

shot "$work/640.ppm"
read -r w0 h0 x0 y0 < <(ball "$work/640.ppm" 640 480)
[ "$h0" -ge 20 ] || fail "no ball in the middle of the follow view (${w0}x${h0})"

for size in 800x600 300x600; do
    width=${size%x*}
    height=${size#*x}
    xdotool windowsize --sync "$wid" "$width" "$height" 2>/dev/null || xdotool windowsize "$wid" "$width" "$height"
    sleep 0.5
    shot "$work/$size.ppm"
    read -r ww wh <<<"$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')"
    [ "$ww x $wh" = "$width x $height" ] || fail "window is ${ww}x${wh}, not $size"
    read -r bw bh cx cy < <(ball "$work/$size.ppm" "$width" "$height")
    # The view keeps its vertical field: sizes and offsets from the middle scale with the height.
    expected=$((h0 * height / 480))
    ex=$((width / 2 + (x0 - 320) * height / 480))
    ey=$((height / 2 + (y0 - 240) * height / 480))
    echo "$size: ball ${bw}x${bh} at ($cx, $cy), expected about ${expected} high at ($ex, $ey)"
    [ $((bw - bh)) -le 4 ] && [ $((bh - bw)) -le 4 ] || fail "$size: ball is ${bw}x${bh}, not round"
    [ $((bh - expected)) -le 5 ] && [ $((expected - bh)) -le 5 ] || fail "$size: ball height $bh, not about $expected"
    [ $((cx - ex)) -le 4 ] && [ $((ex - cx)) -le 4 ] || fail "$size: ball at x $cx, not $ex"
    [ $((cy - ey)) -le 4 ] && [ $((ey - cy)) -le 4 ] || fail "$size: ball at y $cy, not $ey"
done
key Escape
wait_exit; [ "$status" = 0 ] || fail "Escape did not end the program with 0"
echo "resize: ok"
