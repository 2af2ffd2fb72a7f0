#!/usr/bin/env bash
# A close request (SIGTERM, which SDL turns into a quit event) at four moments: during the
# menu's intro, in the middle of play, during the death sequence and on the results screen.
# Each run must end by itself with status 0, and the last lines it prints must be exactly the
# releases of the state it was in.
# Usage: quit.sh path/to/gyrel   (run from the repository root on an X display)
set -u

GAME=${1:?path of the gyrel binary}
WORK=$(mktemp -d /tmp/gyrel-e2e-quit.XXXXXX)
source "$(dirname "$0")/lib/common.bash"

start() {
    MOMENT=$1
    OUT="$WORK/$MOMENT.txt"
    game_open || return 1
    xdotool mousemove --window "$WID" 100 100
    line_wait '^LOADED: res/font/upheaval.ttf' 15 || { fail "the menu did not load"; return 1; }
}

# Clicks Start once the intro has revealed it, and leaves the pointer at the centre, where
# the attackers aim.
play_enter() {
    sleep 2.5
    xdotool mousemove --window "$WID" 640 650
    sleep 0.4
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
    xdotool mousemove --window "$WID" 640 360
    line_wait '^LOADED: res/mus/ethnica.ogg' 10 || { fail "play did not start"; return 1; }
}

# Sends the close request and checks the exit status and the releases printed last.
quit_check() {
    local expected=$1
    game_quit || return
    # Everything after the last load is what shut-down released.
    local last tail_lines
    last=$(grep -n -E '^(LOADED|FAILED): ' "$OUT" | tail -n 1 | cut -d: -f1)
    tail_lines=$(tail -n +"$((last + 1))" "$OUT" | grep -E '^(LOADED|FREED|FAILED): ')
    if [ "$tail_lines" != "$expected" ]; then
        fail "the lines after the last load were:"
        echo "$tail_lines"
        echo "expected:"
        echo "$expected"
    fi
    if grep -q -E '^FAILED: ' "$OUT"; then fail "a resource failed to load"; fi
}

# Beside the centre the screen is black in play; it turns red only while the dying player
# swells and vanishes (half a second). A hit flashes the whole background red instead, which
# the corner pixel tells apart. One ImageMagick process grabs and reads the window, so a slow
# machine still looks several times within that half second.
death_seen() {
    local side='p{660,360}.r>0.25 && p{660,360}.g<0.7*p{660,360}.r && p{660,360}.b<0.7*p{660,360}.r'
    [ "$(import -window "$WID" -format "%[fx:$side && p{4,715}.r<0.2]" info: 2>/dev/null)" = 1 ]
}

# 1. During the intro: the logo is still fading in.
if start intro; then
    sleep 0.3
    quit_check "$MENU_FREE"
fi
finish

# 2. In the middle of play, once the first attackers are on their way.
if start play && play_enter; then
    sleep 8
    grep -q -E '^FREED: res/mus/ethnica.ogg' "$OUT" && fail "play ended before the close request"
    quit_check "$PLAY_FREE"
fi
finish

# 3. During the death sequence: the pointer stays at the centre until the attackers win.
if start death && play_enter; then
    deadline=$((SECONDS + 120))
    seen=0
    while [ $SECONDS -le $deadline ]; do
        if death_seen; then
            seen=1
            break
        fi
        grep -q -E '^FREED: res/mus/ethnica.ogg' "$OUT" && break
    done
    if [ "$seen" = 1 ]; then
        quit_check "$PLAY_FREE"
        grep -q -E '^FREED: res/mus/ethnica.ogg' "$OUT" || fail "play was not freed"
        [ "$(grep -c '^LOADED: res/mus/ethnica.ogg' "$OUT")" = 1 ] || fail "play was entered twice"
        grep -q -E '^LOADED: res/sfx/hover.ogg' <(sed -n '/^LOADED: res\/mus\/ethnica.ogg/,$p' "$OUT") &&
            fail "the results scene was reached before the close request took effect"
    else
        fail "the death sequence was not seen"
    fi
fi
finish

# 4. On the results screen.
if start results && play_enter; then
    if line_wait '^FREED: res/mus/ethnica.ogg' 120 && line_wait '^LOADED: res/sfx/select.ogg' 0; then
        sleep 0.5
        # The menu's select sound also follows the results' one; the results must be current.
        [ "$(grep -c '^LOADED: res/sfx/select.ogg' "$OUT")" = 2 ] || fail "not on the results screen"
        quit_check "$RESULTS_FREE"
    else
        fail "the results screen was not reached"
    fi
fi
finish

rm -rf "$WORK"
if [ "$FAILS" -ne 0 ]; then
    echo "$FAILS failure(s)"
    exit 1
fi
echo "quit at every moment: ok"
