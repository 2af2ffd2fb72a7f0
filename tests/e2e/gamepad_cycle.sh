#!/usr/bin/env bash
# A whole cycle with a gamepad alone: a virtual controller, preloaded into the real game and
# played through a FIFO, confirms "Start", spins and steers, pauses with Start, is pulled out
# (the game pauses) and plugged back in, rumbles when the attackers hit, and confirms "Menu".
# Checks the console lines and the screens. The mouse stays still in a corner throughout.
# Usage: gamepad_cycle.sh path/to/gyrel   (from the repository root on an X display, with
# GYREL_VIRTUAL_PAD naming the preload library)
set -u

GAME=${1:?path of the gyrel binary}
PAD_LIB=${GYREL_VIRTUAL_PAD:?path of the virtual pad library}
SHOTS=${E2E_SHOTS:-$(mktemp -d /tmp/gyrel-e2e-gamepad.XXXXXX)}
mkdir -p "$SHOTS"
OUT="$SHOTS/stdout.txt"
FIFO="$SHOTS/pad.fifo"
PAD_LOG="$SHOTS/pad.log"
source "$(dirname "$0")/lib/common.bash"

# Sends one command to the pad; held inputs stay until released, like a real hand.
pad() { echo "$*" >&3; }
# A button pressed for 150 ms: a press must be seen by two consecutive steps.
pad_press() {
    pad button "$1" 1
    sleep 0.15
    pad button "$1" 0
}
# Waits up to $2 seconds for $1 lines of ??? after line MARK (a loaded machine is slow to step).
pauses_wait() {
    local deadline=$((SECONDS + $2))
    while [ $SECONDS -le $deadline ]; do
        [ "$(tail -n +"$((MARK + 1))" "$OUT" | grep -c '???')" -ge "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
# The centre's x: the middle of the white pixels in the field's middle band.
centre_x() {
    convert "$SHOTS/$1.png" -crop 1280x200+0+260 +repage -fx '(r>0.85 && g>0.85 && b>0.85)' \
        -format '%@' info: | sed -E 's/^([0-9]+)x[0-9]+\+([0-9]+).*/\1 \2/' | awk '{print int($2 + $1 / 2)}'
}

# The middle of the follower's bright green within 150 px of the field's middle: "x y".
follower_at() {
    convert "$SHOTS/$1.png" -crop 300x300+490+210 +repage -fx "$GREEN" -format '%@' info: |
        sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+).*/\1 \2 \3 \4/' |
        awk 'NF == 4 && $1 < 300 {print int(490 + $3 + $1 / 2), int(210 + $4 + $2 / 2)}'
}
# SDL_GameControllerButton and SDL_GameControllerAxis numbers.
A=0 BACK=4 START=6 RIGHTSHOULDER=10 LEFTX=0

rm -f "$FIFO" "$PAD_LOG"
mkfifo "$FIFO"
# A game built with AddressSanitizer wants its runtime loaded before anything else.
# (The sanitizer run preloads libraries of its own; the pad joins them.)
preload="${LD_PRELOAD:+$LD_PRELOAD }$PAD_LIB"
asan=$(ldd "$GAME" 2>/dev/null | awk '/libasan/ {print $3}')
[ -n "$asan" ] && preload="$asan $preload"

# Opened for reading and writing, the FIFO opens at once, whether or not the game ever gets to
# open it (at its first poll, where the pad is plugged in): a game that cannot start fails the
# script rather than hanging it. Commands wait in the FIFO until the game reads them.
exec 3<>"$FIFO"
game_open GYREL_PAD_FIFO="$FIFO" GYREL_PAD_LOG="$PAD_LOG" LD_PRELOAD="$preload" || exit 1
# Without a window manager the input goes to the window that has the focus; SDL reads pads
# only for an application in front, as a player would have it.
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool mousemove --window "$WID" 640 360
line_wait 'GAMEPAD ADDED: ' 10 || fail "the game did not see the pad"

# The menu: the south button starts play once "Start" shows.
sleep 2.5
MARK=$(lines_now)
pad_press $A
line_wait 'LOADED: res/mus/ethnica.ogg' 10 "$MARK" || fail "the south button did not start play"

# The pad pulled out: the game pauses at once; plugged back in, its Start resumes.
MARK=$(lines_now)
pad detach
line_wait 'GAMEPAD REMOVED: ' 3 "$MARK" || fail "the game did not notice the pad leave"
line_wait '???' 3 "$MARK" || fail "a pulled pad did not pause"
pad attach
line_wait 'GAMEPAD ADDED: ' 3 "$MARK" || fail "the game did not see the pad come back"
sleep 0.2
pad_press $START
sleep 0.3
pauses_wait 2 5 || fail "Start did not resume after the pad came back"

# The right shoulder carries the follower round the centre, which stays under the still
# pointer; the stick then steers the centre right, and a centred stick stops it. (The help
# text is up for under seven seconds: the pictures are taken now and read afterwards.)
sleep 0.5
shot play
pad button $RIGHTSHOULDER 1
sleep 0.3
pad button $RIGHTSHOULDER 0
sleep 1
shot play_spun
pad axis $LEFTX 1
sleep 0.8
pad axis $LEFTX 0
sleep 0.3
shot play_steered
sleep 0.5
shot play_still

# Start pauses and resumes; Back pauses the music like M (it prints nothing: a clean run).
MARK=$(lines_now)
pad_press $START
sleep 0.2
pad_press $START
sleep 0.3
pauses_wait 2 5 || fail "Start twice did not print ??? twice"
pad_press $BACK
sleep 0.1
pad_press $BACK
# From here play runs on by itself until the attackers win (the pictures below are read while it
# does, which can take a while on a loaded machine).
PLAY_MARK=$(lines_now)

expect_pixels play 21x21+630+350 "$WHITE" 30 441 "white centre"
expect_pixels play_spun 21x21+630+350 "$WHITE" 30 441 "white centre where it was after the spin"
before=$(follower_at play)
after=$(follower_at play_spun)
read -r bx by <<<"${before:-0 0}"
read -r ax ay <<<"${after:-0 0}"
if [ -z "$before" ] || [ -z "$after" ] || [ $(((ax - bx) * (ax - bx) + (ay - by) * (ay - by))) -lt 1600 ]; then
    fail "the shoulder did not turn the follower: at ${before:-none}, then ${after:-none}"
fi
x=$(centre_x play_steered)
if [ -z "$x" ] || [ "$x" -lt 760 ]; then fail "the stick did not steer the centre right: centre at x=${x:-none}"; fi
x2=$(centre_x play_still)
if [ -z "$x2" ] || [ "$((x2 - x))" -gt 3 ] || [ "$((x - x2))" -gt 3 ]; then
    fail "a centred stick let the centre drift: x=$x then ${x2:-none}"
fi

# Left alone, the attackers win; each hit rumbles the pad that played.
line_wait 'FREED: res/mus/ethnica.ogg' 90 "$PLAY_MARK" || fail "the game did not end"
line_wait 'LOADED: res/sfx/select.ogg' 5 "$PLAY_MARK" || fail "the results did not load"
rumbles=$(grep -c '^rumble [1-9][0-9]* [1-9][0-9]*$' "$PAD_LOG" 2>/dev/null)
[ "${rumbles:-0}" -ge 3 ] || fail "expected a rumble for each of the three hits, got ${rumbles:-0}"
grep -q '^rumble 0 0$' "$PAD_LOG" 2>/dev/null || fail "a rumble did not stop"
sleep 0.5
shot results
expect_pixels results 640x90+320+155 "$GREEN" 400 20000 "Your Score"

# The south button on "Menu" goes back to the menu; again on "Start", play.
MARK=$(lines_now)
pad_press $A
line_wait 'LOADED: res/gfx/logo.png' 10 "$MARK" || fail "the south button did not return to the menu"
sleep 2.5
shot menu_again
expect_pixels menu_again 160x70+560+615 "$GREEN" 200 6000 "green Start again"
MARK=$(lines_now)
pad_press $A
line_wait 'LOADED: res/mus/ethnica.ogg' 10 "$MARK" || fail "the south button did not start play again"

game_quit
exec 3>&-

transcript_check "$TWO_CYCLES"
[ "$(grep -c '???' "$OUT")" = 4 ] || fail "expected four ??? lines (the pulled pad, Start three times)"
if grep -q 'virtual pad:' "$OUT"; then fail "the virtual pad reported a problem"; fi

result 'gamepad cycle'
