#!/usr/bin/env bash
# Time away in play, with a real window manager (openbox, on a display of its own): a game
# stopped (SIGSTOP, as a suspended session or a debugger stops it) and continued comes back in
# play and paused, with "???" as P prints, and P resumes it; minimising the window pauses it
# too; fullscreen on and off (F11, Alt+Enter) and a resize never pause.
# Usage: time_away.sh path/to/gyrel   (run from the repository root)
set -u

GAME=${1:?path of the gyrel binary}

if [ -z "${TIME_INNER:-}" ]; then
    SHOTS=${E2E_SHOTS:-$(mktemp -d /tmp/gyrel-e2e-time.XXXXXX)}
    mkdir -p "$SHOTS"
    TIME_INNER=1 E2E_SHOTS="$SHOTS" \
        xvfb-run -a -s "-screen 0 1366x768x24" bash "$(dirname "$0")/../screens/with_wm.sh" bash "$0" "$GAME"
    exit $?
fi

SHOTS=$E2E_SHOTS
OUT="$SHOTS/stdout.txt"
source "$(dirname "$0")/lib/common.bash"
# The stop lasts long enough for any attacker to have won many times over had it been played.
STOP_SECONDS=${E2E_STOP_SECONDS:-5}

pauses() { grep -c '^???$' "$OUT"; }

pauses_wait() { # count seconds
    local deadline=$((SECONDS + $2))
    while [ $SECONDS -le $deadline ]; do
        [ "$(pauses)" -ge "$1" ] && return 0
        kill -0 "$PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Two screenshots a second apart: the same picture when paused, a changed one in play.
still() { # name
    sleep 0.3
    shot "$1_a"
    sleep 1
    shot "$1_b"
    [ "$(differing "$1_a" "$1_b")" = 0 ]
}

in_play() { ! grep -q '^FREED: res/mus/ethnica.ogg' "$OUT"; }

game_open || exit 1
menu_wait 30 "$WID" || fail "the menu was not drawn"
key space
line_wait 'LOADED: res/mus/ethnica.ogg' 10 || fail "space during the intro did not start play"
sleep 1

# A Windows program is never told of a stop and a continue (its time away is the machine's
# sleep, read from the unbiased interrupt time, which no test can make): under Wine the stop is
# left out.
if [ -z "${E2E_WINE:-}" ]; then
    MOMENT=stopped
    kill -STOP "$PID"
    sleep "$STOP_SECONDS"
    kill -CONT "$PID"
    pauses_wait 1 5 || fail "no ??? once continued"
    in_play || fail "the game left play while it was stopped"
    still stopped || fail "the picture moves after the stop"
    key p
    pauses_wait 2 5 || fail "P did not resume"
    still resumed && fail "the picture stands still after P"
fi

MOMENT="fullscreen and resize"
before=$(pauses)
key F11
sleep 1
key alt+Return
sleep 1
xdotool windowsize --sync "$WID" 1000 600 2>/dev/null
sleep 1
[ "$(pauses)" = "$before" ] || fail "fullscreen or a resize paused play"
still moving && fail "the picture stands still after fullscreen and a resize"

MOMENT=minimised
xdotool windowminimize --sync "$WID"
pauses_wait $((before + 1)) 5 || fail "no ??? once minimised"
sleep 1
xdotool windowactivate --sync "$WID" 2>/dev/null
sleep 0.5
in_play || fail "the game left play while minimised"
still restored || fail "the picture moves after the window came back"
key p
pauses_wait $((before + 2)) 5 || fail "P did not resume after the window came back"

game_quit
result "time away"
