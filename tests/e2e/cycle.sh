#!/usr/bin/env bash
# A whole cycle with real X input: menu -> (click "Start") play -> (the attackers win) results
# -> (space) menu -> (space) play, then SIGTERM. Checks the console lines and the screens.
# Usage: cycle.sh path/to/gyrel   (run from the repository root on an X display)
set -u

GAME=${1:?path of the gyrel binary}
SHOTS=${E2E_SHOTS:-$(mktemp -d /tmp/gyrel-e2e-cycle.XXXXXX)}
mkdir -p "$SHOTS"
OUT="$SHOTS/stdout.txt"
source "$(dirname "$0")/lib/common.bash"

game_open || exit 1
# Without a window manager the keys go to the window that has the input focus.
xdotool windowfocus --sync "$WID" 2>/dev/null || true
xdotool mousemove --window "$WID" 100 100

# The intro: the logo fades in; "Start" and the credits are not there yet.
shot menu_intro
expect_pixels menu_intro 300x80+490+615 "$LIT" 0 0 "Start hidden during the intro"
sleep 2.5
shot menu
expect_pixels menu 400x400+440+60 "$LIT" 20000 160000 "logo"
expect_pixels menu 160x70+560+615 "$GREEN" 200 6000 "green Start"
expect_pixels menu 480x90+15+625 "$GREEN" 400 20000 "green credits"

# Hover turns "Start" white; holding the left button on it for 150 ms starts play.
xdotool mousemove --window "$WID" 640 650
sleep 0.4
shot menu_hover
expect_pixels menu_hover 160x70+560+615 "$WHITE" 200 6000 "white Start under the pointer"
expect_pixels menu_hover 160x70+560+615 "$GREEN" 0 0 "no green Start under the pointer"
MARK=$(lines_now)
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1
xdotool mousemove --window "$WID" 640 360
line_wait 'LOADED: res/mus/ethnica.ogg' 10 "$MARK" || fail "play did not start after the click"

# Play: the white centre at the pointer, its green follower, "0", "x1" and the help text.
sleep 1.2
shot play
expect_pixels play 21x21+630+350 "$WHITE" 30 441 "white centre"
expect_pixels play 280x280+500+220 "$GREEN" 20 3000 "green follower near the centre"
expect_pixels play 60x70+10+10 "$GREEN" 40 3000 "score 0"
expect_pixels play 90x70+1180+10 "$WHITE" 40 3000 "x1"
expect_pixels play 600x200+340+260 "$GREENISH" 1000 60000 "help text"

# With the pointer left at the centre the attackers win.
MARK=$(lines_now)
sleep 8
shot play_attackers
line_wait 'FREED: res/mus/ethnica.ogg' 90 "$MARK" || fail "the game did not end"
line_wait 'LOADED: res/sfx/select.ogg' 5 "$MARK" || fail "the results did not load"
sleep 0.5
shot results
expect_pixels results 640x90+320+155 "$GREEN" 400 20000 "Your Score"
expect_pixels results 200x80+540+560 "$GREEN" 200 6000 "Menu"
expect_pixels results 1280x100+0+300 "$LIT" 0 0 "nothing else on the results screen"

# Space returns to the menu, which plays its intro again.
MARK=$(lines_now)
xdotool keydown space
sleep 0.1
xdotool keyup space
line_wait 'LOADED: res/gfx/logo.png' 10 "$MARK" || fail "space did not return to the menu"
sleep 2.5
shot menu_again
expect_pixels menu_again 160x70+560+615 "$GREEN" 200 6000 "green Start again"

# Space on the menu starts play again.
MARK=$(lines_now)
xdotool keydown space
sleep 0.1
xdotool keyup space
line_wait 'LOADED: res/mus/ethnica.ogg' 10 "$MARK" || fail "space did not start play from the menu"

game_quit

transcript_check "$TWO_CYCLES"
if grep -q '???' "$OUT"; then fail "a pause was reported though P was never pressed"; fi

result cycle
