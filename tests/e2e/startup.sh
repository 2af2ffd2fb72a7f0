#!/usr/bin/env bash
# Starts the real game, checks the start-up transcript while it runs, finds its window,
# then asks it to quit with SIGTERM and checks the shut-down lines and the exit status.
set -u
binary="$1"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$@"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

work="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    echo "--- stdout"; cat "$work/out"
    echo "--- stderr"; cat "$work/err"
    exit 1
}

# The files exist before the game starts: a background job opens its redirections only once it runs.
: >"$work/out"; : >"$work/err"
"$binary" >"$work/out" 2>"$work/err" &
pid=$!

expected_start='LOADED: res/shader/textureQuad.vs
LOADED: res/shader/textureQuad.fs
SDL2 VIDEO LOADED
SDL2 TIMER LOADED
SDL_image LOADED
SDL_ttf LOADED
SDL_mixer LOADED
COMPILE SUCCESS: Shader #N
COMPILE SUCCESS: Shader #N
LOADED: Shader #0
LOADED: res/gfx/logo.png
LOADED: res/sfx/hover.ogg
LOADED: res/sfx/select.ogg
LOADED: res/font/upheaval.ttf
LOADED: res/font/upheaval.ttf'

# The lines must be there while the game runs, not only once it has exited.
for _ in $(seq 100); do
    [ "$(wc -l <"$work/out")" -ge 15 ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game exited during start-up"
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the game is not running"
actual_start="$(head -n 15 "$work/out" | sed -E 's/^(COMPILE SUCCESS: Shader #)[0-9]+$/\1N/')"
[ "$actual_start" = "$expected_start" ] || fail "start-up transcript differs"
[ "$(wc -l <"$work/out")" -eq 15 ] || fail "unexpected lines after start-up"

window=""
for _ in $(seq 50); do
    window="$(xdotool search --name '^Gyrel\+$' 2>/dev/null | head -n 1)"
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled Gyrel+"
[ "$(xdotool getwindowname "$window")" = "Gyrel+" ] || fail "window title"
xdotool getwindowgeometry "$window" | grep -q 'Geometry: 1280x720' || fail "window size: $(xdotool getwindowgeometry "$window")"

sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the game stopped on its own"
kill -TERM "$pid"
status=""
for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        break
    fi
    sleep 0.1
done
[ -n "$status" ] || fail "the game did not quit within 10 s of SIGTERM"
[ "$status" -eq 0 ] || fail "exit status $status"

expected_end='FREED: Shader #0
FREED: res/gfx/logo.png
FREED: res/sfx/hover.ogg
FREED: res/sfx/select.ogg
FREED: res/font/upheaval.ttf
FREED: res/font/upheaval.ttf'
actual_end="$(tail -n +16 "$work/out")"
[ "$actual_end" = "$expected_end" ] || fail "shut-down transcript differs"
echo "PASS"
