#!/usr/bin/env bash
# Real key presses: space during the menu's intro starts play, P freezes the picture and prints
# "???", P again resumes it; then SIGTERM ends the program with status 0.
# Usage: play_pause.sh path/to/gyrel   (run from the repository root on an X display)
set -u

GAME=${1:?path of the gyrel binary}
SHOTS=${E2E_SHOTS:-$(mktemp -d /tmp/gyrel-e2e-pause.XXXXXX)}
mkdir -p "$SHOTS"
OUT="$SHOTS/stdout.txt"
source "$(dirname "$0")/lib/common.bash"

line_count_wait() { # pattern count seconds
    local deadline=$((SECONDS + $3))
    while [ $SECONDS -le $deadline ]; do
        [ "$(grep -c -- "$1" "$OUT")" -ge "$2" ] && return 0
        kill -0 "$PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

key() {
    xdotool keydown "$1"
    sleep 0.1
    xdotool keyup "$1"
}

game_open || exit 1
menu_wait 30 "$WID" || fail "the menu was not drawn"
# Without a window manager the keys go to the window that has the input focus.
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool mousemove --window "$WID" 640 360
sleep 0.3
key space
line_count_wait 'LOADED: res/mus/ethnica.ogg' 1 10 || fail "space during the intro did not start play"

sleep 1
key p
line_count_wait '^???$' 1 5 || fail "no ??? after the first P"
sleep 0.3
shot paused_a
sleep 1
shot paused_b
[ "$(differing paused_a paused_b)" = 0 ] || fail "the picture moved while paused"

key p
line_count_wait '^???$' 2 5 || fail "no second ??? after the second P"
sleep 1
shot resumed
[ "$(differing paused_b resumed)" != 0 ] || fail "the picture did not move after resuming"

game_quit
[ "$(grep -c '^???$' "$OUT")" = 2 ] || fail "expected exactly two ??? lines"

echo "screenshots and transcript in $SHOTS"
if [ "$FAILS" -ne 0 ]; then
    echo "$FAILS check(s) failed"
    exit 1
fi
echo "pause passed"
