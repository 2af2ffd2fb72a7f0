#!/usr/bin/env bash
# With a sound and the font missing from res/, the game reports each one with FAILED
# and keeps running; quitting still frees every slot of the menu.
set -u
binary="$(realpath "$1")"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$@"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

repo="$(pwd)"
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

# Only the copy loses files; the repository's res/ is never touched.
cp -r "$repo/res" "$work/res"
rm "$work/res/sfx/hover.ogg" "$work/res/font/upheaval.ttf"

(cd "$work" && exec "$binary" >"$work/out" 2>"$work/err") &
pid=$!

for _ in $(seq 100); do
    grep -q 'res/font/upheaval.ttf' "$work/out" 2>/dev/null && [ "$(grep -c 'upheaval' "$work/out")" -ge 2 ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game exited during start-up"
    sleep 0.1
done
expected='LOADED: Shader #0
LOADED: res/gfx/logo.png
FAILED: res/sfx/hover.ogg
LOADED: res/sfx/select.ogg
FAILED: res/font/upheaval.ttf
FAILED: res/font/upheaval.ttf'
actual="$(grep -E '^(LOADED|FAILED): (Shader|res/(gfx|sfx|font))' "$work/out")"
[ "$actual" = "$expected" ] || fail "menu resource lines differ"

# Let it run a good number of frames with the empty slots.
sleep 1.5
kill -0 "$pid" 2>/dev/null || fail "the game stopped with the files missing"
[ -n "$(xdotool search --name '^Gyrel\+$' 2>/dev/null)" ] || fail "no game window"
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
[ -n "$status" ] || fail "no exit within 10 s of SIGTERM"
[ "$status" -eq 0 ] || fail "exit status $status"
freed="$(grep '^FREED: ' "$work/out")"
[ "$freed" = 'FREED: Shader #0
FREED: res/gfx/logo.png
FREED: res/sfx/hover.ogg
FREED: res/sfx/select.ogg
FREED: res/font/upheaval.ttf
FREED: res/font/upheaval.ttf' ] || fail "FREED lines differ"
echo "PASS"
