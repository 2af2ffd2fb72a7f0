#!/usr/bin/env bash
# Takes the play-scene screenshot that the Linux package ships (packaging/screenshot.png):
# starts the real game, presses "Start" with real X input, steers and spins for a few
# seconds so attackers are on the field, and captures the 1280x720 screen.
#
#   tools/make_screenshot.sh [path/to/gyrel [out.png]]   (defaults: build/default/gyrel,
#                                                         packaging/screenshot.png)
# Run it from anywhere; without an X display it starts its own with xvfb-run.
set -u
cd "$(dirname "$0")/.."
GAME=$(realpath "${1:-build/default/gyrel}")
DEST=$(realpath -m "${2:-packaging/screenshot.png}")
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$GAME" "$DEST"
fi

WORK=$(mktemp -d /tmp/gyrel-screenshot.XXXXXX)
OUT="$WORK/stdout.txt"
MOMENT=screenshot
source tests/e2e/lib/common.bash
trap 'finish; rm -rf "$WORK"' EXIT

SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$GAME" >"$OUT" 2>&1 &
PID=$!
WID=$(timeout 15 xdotool search --sync --name '^Gyrel\+$' | head -n 1)
[ -n "$WID" ] || { fail "no window titled Gyrel+"; exit 1; }
xdotool windowfocus --sync "$WID" 2>/dev/null || true

# Past the menu's intro, hold the button on "Start" long enough for two steps to see it.
sleep 2.5
xdotool mousemove --window "$WID" 640 650 && sleep 0.3
xdotool mousedown 1 && sleep 0.15 && xdotool mouseup 1
line_wait 'LOADED: res/mus/ethnica.ogg' 10 || { fail "play did not start"; exit 1; }

# Drift round the middle and spin the followers while the help text fades (about 7 s) and
# the first attackers come in, then take a frame every 0.3 s for 10 s.
for step in $(seq 0 49); do
    x=$(awk -v s="$step" 'BEGIN { printf "%d", 640 + 90 * cos(s / 5) }')
    y=$(awk -v s="$step" 'BEGIN { printf "%d", 360 + 60 * sin(s / 5) }')
    xdotool mousemove --window "$WID" "$x" "$y"
    if [ $((step % 6)) -lt 2 ]; then xdotool keydown d; else xdotool keyup d; fi
    sleep 0.3
    [ "$step" -ge 16 ] && import -window root "$WORK/frame$step.png"
done
xdotool keyup d
grep -q '^FAILED' "$OUT" && fail "a resource failed to load"
kill -0 "$PID" 2>/dev/null || { fail "the game stopped"; exit 1; }

# Keep the most colourful frame of the field (attackers, warnings, sparks), leaving out a
# hit's full-screen flash, and any frame without the white centre: on a busy machine the
# game can run on to a lost game or the results before the last frame.
best= most=-1
for frame in "$WORK"/frame*.png; do
    field=(-crop 1280x600+0+100 +repage)
    lit=$(convert "$frame" "${field[@]}" -colorspace gray -threshold 15% -format '%[fx:round(mean*100000)]' info:)
    vivid=$(convert "$frame" "${field[@]}" -colorspace HSL -channel G -separate +channel -threshold 50% -format '%[fx:round(mean*100000)]' info:)
    white=$(convert "$frame" "${field[@]}" -channel RGB -threshold 85% -separate -evaluate-sequence min -format '%[fx:round(mean*w*h)]' info:)
    if [ "$lit" -lt 8000 ] && [ "$white" -gt 600 ] && [ "$vivid" -gt "$most" ]; then most=$vivid best=$frame; fi
done
[ -n "$best" ] || { fail "no frame shows the field in play"; exit 1; }
mv "$best" "$DEST"
game_quit
[ "$FAILS" -eq 0 ] || exit 1
echo "wrote $DEST"
