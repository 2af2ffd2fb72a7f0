#!/usr/bin/env bash
# Without a display the game reports that SDL's video could not start and exits with 1.
set -u
binary="$1"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy timeout 20 "$binary" >"$out" 2>/dev/null
status=$?
fail() {
    echo "FAIL: $*"
    cat "$out"
    exit 1
}
[ "$status" -eq 1 ] || fail "exit status $status, want 1"
[ "$(sed -n 1p "$out")" = "LOADED: res/shader/textureQuad.vs" ] || fail "shader sources are read before SDL starts"
[ "$(sed -n 2p "$out")" = "LOADED: res/shader/textureQuad.fs" ] || fail "second shader source"
sed -n 3p "$out" | grep -q '^SDL2 VIDEO ERROR: ' || fail "no SDL2 VIDEO ERROR line"
[ "$(wc -l <"$out")" -eq 3 ] || fail "nothing follows the error"
echo "PASS"
