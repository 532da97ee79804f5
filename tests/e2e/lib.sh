# Shared steps of the end-to-end tests: start the program in a folder, find its window, send
# keys, capture its pixels. Sourced by each test; expects PROGRAM and ASSETS in the environment.
set -euo pipefail

: "${PROGRAM:?PROGRAM must name the built program}"
: "${ASSETS:?ASSETS must name the folder of generated assets}"
: "${DISPLAY:?the end-to-end tests need an X display}"

work=$(mktemp -d)
pid=""
wid=""

finish() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT

fail() {
    echo "FAIL: $*" >&2
    for f in "$work"/stdout "$work"/stderr; do
        [ -f "$f" ] && { echo "--- $(basename "$f")" >&2; head -n 40 "$f" >&2; }
    done
    exit 1
}

# copy_assets DIR: a private copy of the generated assets to run in.
copy_assets() {
    mkdir -p "$1"
    cp "$ASSETS"/marble.bmp "$ASSETS"/spark.bmp "$ASSETS"/boden.bmp "$ASSETS"/wand.bmp \
        "$ASSETS"/Explode.wav "$1"/
}

# start DIR [VAR=value ...]: starts the program in DIR, output in $work/stdout and $work/stderr.
start() {
    local dir=$1
    shift
    (cd "$dir" && exec env "$@" "$PROGRAM" >"$work/stdout" 2>"$work/stderr") &
    pid=$!
}

# find_window: waits (up to 20 s) for the program's window and sets wid. freeglut does not
# publish its process id, so the window is found by its titles; the end-to-end tests run one
# at a time.
find_window() {
    local i
    for i in $(seq 1 200); do
        wid=$(xdotool search --name '^(Spherarium|Fps:[0-9]+\.000000)$' 2>/dev/null | head -n 1 || true)
        if [ -n "$wid" ] && [ "$(xwininfo -id "$wid" 2>/dev/null | awk '/Map State/ {print $3}')" = IsViewable ]; then
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            wait_exit
            fail "the program ended (status $status) before showing its window"
        fi
        sleep 0.1
    done
    fail "no window appeared"
}

title() { xdotool getwindowname "$wid"; }

# start_frozen: starts the program in a copy of the assets and stops its scene. Six steps of
# -0.1 leave a time step of about 3e-17, so nothing moves; the follow camera does not turn the
# scene; after two seconds the last bursts have faded.
start_frozen() {
    copy_assets "$work/run"
    start "$work/run"
    find_window
    sleep 0.5
    key F2 F2 F2 F2 F2 F2 F3
    sleep 2
}

# wait_title REGEX SECONDS: waits until the title matches.
wait_title() {
    local i
    for i in $(seq 1 $(($2 * 10))); do
        title | grep -Eq "$1" && return 0
        sleep 0.1
    done
    fail "title '$(title)' did not match '$1' within $2 s"
}

# key NAME...: sends keys to the window, which gets the input focus first.
key() {
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    xdotool key --delay 30 "$@"
}

running() { kill -0 "$pid" 2>/dev/null; }

# wait_exit: waits (up to 10 s) for the program to end and sets status ("running" if it has
# not ended). Not for a command substitution: only this shell can wait for its child.
wait_exit() {
    local i
    status=running
    for i in $(seq 1 100); do
        if ! running; then
            status=0
            wait "$pid" || status=$?
            pid=""
            return 0
        fi
        sleep 0.1
    done
}

# shot FILE: the window's pixels as a PPM. The GL window itself captures black, so the screen
# is captured and cropped to the window.
shot() {
    local geometry x y w h
    geometry=$(xwininfo -id "$wid")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
    w=$(awk '/Width:/ {print $2}' <<<"$geometry")
    h=$(awk '/Height:/ {print $2}' <<<"$geometry")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"
}

# expect_view CHANGE WHAT KEY...: presses the keys, captures the window into $work/view.N.ppm,
# and checks that it differs from the previous capture (CHANGE "changed") or not ("same").
views=0
expect_view() {
    local change=$1 what=$2 before=$work/view.$views.ppm
    shift 2
    [ $# -gt 0 ] && key "$@"
    sleep 0.3
    views=$((views + 1))
    shot "$work/view.$views.ppm"
    [ "$views" -gt 1 ] || return 0
    local d
    d=$(difference "$before" "$work/view.$views.ppm")
    echo "$what: difference $d"
    case "$change" in
        changed) awk -v d="$d" 'BEGIN { exit !(d > 0.01) }' || fail "$what: the view did not change ($d)" ;;
        same) awk -v d="$d" 'BEGIN { exit !(d < 0.002) }' || fail "$what: the view changed ($d)" ;;
    esac
}

# mean FILE: mean brightness of an image, 0 to 1.
mean() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }

# difference A B: mean absolute difference of two images, 0 to 1.
difference() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -E 's/.*\((.*)\).*/\1/'; }

# red_box FILE: "width height centre-x centre-y" of the largest patch of the balls' pure red
# (the lit red of a ball has no green or blue; the bricks' red has both).
red_box() {
    convert "$1" -fx 'r > 0.3 && g < 0.1 && b < 0.1 ? 1 : 0' -colorspace Gray -threshold 50% \
        -define connected-components:verbose=true -connected-components 8 null: |
        awk '$NF ~ /gray\(255\)|white/ && $4 > best { best = $4; box = $2 }
             END { split(box, p, /[x+]/); printf "%d %d %d %d\n", p[1], p[2], p[3] + p[1] / 2, p[4] + p[2] / 2 }'
}
