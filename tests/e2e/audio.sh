#!/usr/bin/env bash
# With SDL's disk audio driver: the first contacts between balls (a few seconds in) are heard in
# the captured output; with F4 pressed at start they are not.
. "$(dirname "$0")/lib.sh"

# audible FILE: how many bytes of the captured output are not silence.
audible() { if [ -f "$1" ]; then tr -d '\000' <"$1" | wc -c; else echo 0; fi; }

copy_assets "$work/run"
start "$work/run" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/on.raw"
find_window
heard=0
for _ in $(seq 1 300); do
    heard=$(audible "$work/on.raw")
    [ "$heard" -gt 1000 ] && break
    running || fail "the program ended"
    sleep 0.1
done
[ "$heard" -gt 1000 ] || fail "no contact was heard within 30 s (title $(title))"
rate=$(title)
key Escape
wait_exit; [ "$status" = 0 ] || fail "Escape did not end the program with 0"
grep -q . "$work/stderr" && fail "the player wrote to standard error"
echo "sound on: $heard audible bytes ($rate)"

# The first contact comes several hundred steps in; F4 goes in well before it.
start "$work/run" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/off.raw"
find_window
key F4
wait_title '^Fps:[0-9]+\.000000$' 4
sleep 8
rate=$(title)
key Escape
wait_exit; [ "$status" = 0 ] || fail "Escape did not end the program with 0"
[ "$(audible "$work/off.raw")" = 0 ] || fail "contacts were heard with the sound off"
echo "sound off: silent ($rate)"
