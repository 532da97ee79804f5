#!/usr/bin/env bash
# The program built with AddressSanitizer and UndefinedBehaviorSanitizer: a few seconds of
# running, keys and a resize, then Escape; nothing may be reported.
. "$(dirname "$0")/lib.sh"

# Mesa unloads its driver before the leak check at exit, which leaves the driver's own
# allocations unattributable; keeping it loaded lets the suppressions name them.
asan=$(ldd "$PROGRAM" | awk '/libasan/ {print $3}')
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)

copy_assets "$work/run"
start "$work/run" LD_PRELOAD="$asan${driver:+ $driver}" SDL_AUDIODRIVER=disk \
    SDL_DISKAUDIOFILE="$work/audio.raw"
find_window
wait_title '^Fps:[0-9]+\.000000$' 10
key F1 F1 F2 F3 Left Up Down F3 Right F4 F4 F5 q
xdotool windowsize "$wid" 500 400
sleep 4
key F3 F2 F2 F2 F2 F2 F2 F2
sleep 2
running || fail "the program ended early"
key Escape
wait_exit
if grep -Eq 'AddressSanitizer|LeakSanitizer|runtime error:' "$work/stderr"; then
    fail "a sanitizer reported"
fi
[ "$status" = 0 ] || fail "ended with status $status"
echo "sanitized run: clean ($(wc -l <"$work/stdout") lines on standard output)"
