#!/usr/bin/env bash
# The game on screens of other sizes, each a virtual display of its own with a real window
# manager (openbox, through tests/screens/with_wm.sh): F11 fills the screen with the field
# scaled and centred and F11 again gives the window back its size and place; a wide and a tall
# window letterbox on the right sides; a click on the scaled "Start" starts play; the white
# centre goes to the field point under the pointer, in a window and fullscreen, where Alt+Enter
# leaves fullscreen.
# Usage: screens.sh path/to/gyrel   (run from the repository root; E2E_SCREENS="WxH ..." picks
# the screens, as 1280x800 for the Steam Deck)
set -u

GAME=${1:?path of the gyrel binary}
SCREENS=${E2E_SCREENS:-1366x768 1920x1080 2560x1440}

if [ -z "${SCREEN_INNER:-}" ]; then
    ROOT=${E2E_SHOTS:-$(mktemp -d /tmp/gyrel-e2e-screens.XXXXXX)}
    status=0
    for screen in $SCREENS; do
        mkdir -p "$ROOT/$screen"
        echo "== screen $screen"
        SCREEN_INNER=$screen E2E_SHOTS="$ROOT/$screen" \
            xvfb-run -a -s "-screen 0 ${screen}x24" bash "$(dirname "$0")/../screens/with_wm.sh" bash "$0" "$GAME" ||
            status=1
    done
    echo "screenshots and transcripts in $ROOT"
    [ "$status" = 0 ] && echo "screens passed"
    exit "$status"
fi

SHOTS=$E2E_SHOTS
OUT="$SHOTS/stdout.txt"
source "$(dirname "$0")/lib/common.bash"
MOMENT=$SCREEN_INNER
SCREEN_W=${SCREEN_INNER%x*}
SCREEN_H=${SCREEN_INNER#*x}

# The field's place in a drawable of $1 x $2 pixels: sets S (scale), FX, FY (its top left),
# FW, FH, as the game computes its viewport (whole pixels, centred).
layout() {
    read -r S FW FH FX FY < <(awk -v w="$1" -v h="$2" 'BEGIN {
        s = w / 1280; if (h / 720 < s) s = h / 720
        fw = int(1280 * s + 0.5); fh = int(720 * s + 0.5)
        printf "%.6f %d %d %d %d\n", s, fw, fh, int((w - fw) / 2), int((h - fh) / 2) }')
}

# A region given in field pixels (W H X Y) as a geometry in the screenshot, offset by $5 $6.
region() {
    awk -v w="$1" -v h="$2" -v x="$3" -v y="$4" -v ox="$5" -v oy="$6" -v s="$S" -v fx="$FX" -v fy="$FY" \
        'BEGIN { printf "%dx%d+%d+%d\n", w * s + 0.5, h * s + 0.5, ox + fx + x * s, oy + fy + y * s }'
}

# Field point to a point relative to the window's top left (the window's client area).
point() { awk -v x="$1" -v y="$2" -v s="$S" -v fx="$FX" -v fy="$FY" 'BEGIN { printf "%d %d\n", fx + x * s + 0.5, fy + y * s + 0.5 }'; }

# screenshot region expression minimum maximum what; minimum and maximum are counts at scale 1
# (the field is drawn at scale S here).
expect_pixels() {
    local n low high
    n=$(pixels "$1" "$2" "$3")
    low=$(awk -v m="$4" -v s="$S" 'BEGIN { printf "%d", m * s * s * 0.6 }')
    high=$(awk -v m="$5" -v s="$S" 'BEGIN { printf "%d", m * s * s * 1.6 + 0.5 }')
    if [ "$n" -lt "$low" ] || [ "$n" -gt "$high" ]; then fail "$6: $n pixels in $2 of $1.png, expected $low to $high"; fi
}

geometry() { xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p'; }
position() { xdotool getwindowgeometry "$WID" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }

geometry_wait() { # WxH seconds
    local deadline=$((SECONDS + $2))
    while [ $SECONDS -le $deadline ]; do
        [ "$(geometry)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# The menu after its intro, drawn in a drawable of $2 x $3 whose top left is at $4 $5 of the
# screenshot: the logo, the green Start and the credits where the scale puts them, and black
# bars around the field.
menu_check() { # shot width height left top
    layout "$2" "$3"
    expect_pixels "$1" "$(region 400 400 440 60 "$4" "$5")" "$LIT" 20000 160000 "logo"
    expect_pixels "$1" "$(region 160 70 560 615 "$4" "$5")" "$GREEN" 200 6000 "green Start"
    expect_pixels "$1" "$(region 480 90 15 625 "$4" "$5")" "$GREEN" 400 20000 "green credits"
    if [ "$FX" -gt 1 ]; then
        expect_pixels "$1" "$((FX - 1))x$3+$4+$5" "$LIT" 0 0 "black left bar"
        expect_pixels "$1" "$((FX - 1))x$3+$(($4 + FX + FW + 1))+$5" "$LIT" 0 0 "black right bar"
    fi
    if [ "$FY" -gt 1 ]; then
        expect_pixels "$1" "${2}x$((FY - 1))+$4+$5" "$LIT" 0 0 "black top bar"
        expect_pixels "$1" "${2}x$((FY - 1))+$4+$(($5 + FY + FH + 1))" "$LIT" 0 0 "black bottom bar"
    fi
}

# The white centre under a field point: the pointer goes there, the centre follows.
centre_check() { # shot field-x field-y window-width window-height
    layout "$4" "$5"
    read -r px py < <(point "$2" "$3")
    xdotool mousemove --window "$WID" "$px" "$py"
    sleep 1.5
    import -window "$WID" "$SHOTS/$1.png"
    expect_pixels "$1" "$(region 21 21 $(($2 - 10)) $(($3 - 10)) 0 0)" "$WHITE" 30 441 "white centre under field point $2,$3"
}

game_open || exit 1
# The window asks for 1280x720. A screen with no room around that (the Steam Deck's 1280x800)
# has the window manager fit window and frame inside it: the window keeps the size it gets.
WINDOW=1280x720
if [ "$SCREEN_W" -gt 1280 ] && [ "$SCREEN_H" -gt 720 ]; then
    geometry_wait "$WINDOW" 10 || fail "the window opened at $(geometry), not $WINDOW"
else
    sleep 1
    WINDOW=$(geometry)
    [ "${WINDOW%x*}" -ge 1200 ] && [ "${WINDOW%x*}" -le "$SCREEN_W" ] && [ "${WINDOW#*x}" -le "$SCREEN_H" ] ||
        fail "the window opened at $WINDOW on a $SCREEN_INNER screen"
fi
xdotool mousemove 0 0
menu_wait 30 "$WID" || fail "the menu was not drawn"
sleep 1
PLACE=$(position)

# F11: the whole screen, the field scaled and centred.
key F11
geometry_wait "${SCREEN_W}x${SCREEN_H}" 10 || fail "F11 gave $(geometry), not the screen"
sleep 0.5
import -window root "$SHOTS/fullscreen.png"
menu_check fullscreen "$SCREEN_W" "$SCREEN_H" 0 0

# F11 again: the window's own size and place.
key F11
geometry_wait "$WINDOW" 10 || fail "leaving fullscreen gave $(geometry), not $WINDOW"
sleep 0.3
[ "$(position)" = "$PLACE" ] || fail "leaving fullscreen moved the window from $PLACE to $(position)"

# A wide and a tall window: bars left and right, then above and below.
for shape in 1200x450 640x600; do
    xdotool windowsize --sync "$WID" "${shape%x*}" "${shape#*x}"
    geometry_wait "$shape" 10 || fail "the window is $(geometry), not $shape"
    sleep 0.5
    import -window "$WID" "$SHOTS/window_$shape.png"
    menu_check "window_$shape" "${shape%x*}" "${shape#*x}" 0 0
done

# In the tall window: a click on the scaled "Start" starts play.
layout 640 600
read -r px py < <(point 640 650)
xdotool mousemove --window "$WID" "$px" "$py"
sleep 0.3
MARK=$(wc -l <"$OUT")
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1
line_wait 'LOADED: res/mus/ethnica.ogg' 10 "$MARK" || fail "a click on the scaled Start did not start play"
centre_check centre_window 900 250 640 600

# Alt+Enter: fullscreen in play; the centre still goes where the pointer is.
key alt+Return
geometry_wait "${SCREEN_W}x${SCREEN_H}" 10 || fail "Alt+Enter gave $(geometry), not the screen"
centre_check centre_fullscreen 320 500 "$SCREEN_W" "$SCREEN_H"
key alt+Return
geometry_wait 640x600 10 || fail "Alt+Enter did not give the 640x600 window back ($(geometry))"

game_quit
grep -q '^???$' "$OUT" && fail "the fullscreen keys acted in the game"

if [ "$FAILS" -ne 0 ]; then
    echo "$FAILS check(s) failed on $SCREEN_INNER"
    exit 1
fi
echo "screen $SCREEN_INNER passed"
