#!/usr/bin/env bash
# The Windows build's tests under Wine on a virtual display, in a Wine prefix of their own:
# the unit test programs and the end-to-end scripts through CTest, a failed start's message
# box, the installer (install, start from the shortcut, uninstall), the menu drawn by the
# Windows build against the Linux build's, and a resized window letterboxed. Prints the
# start-up times of both.
# Run by scripts/windows --test and scripts/test after building; arguments go to ctest.
set -uo pipefail
cd "$(dirname "$0")/.."
# A virtual screen of their own, larger than the field: Wine reports a window frame even where
# no window manager draws one, and the game opens smaller where the field and that frame would
# not fit.
if [ -z "${GYREL_WINDOWS_SCREEN:-}" ]; then
    GYREL_WINDOWS_SCREEN=1600x900 exec xvfb-run -a -s "-screen 0 1600x900x24" bash "$0" "$@"
fi

status=0
fail() { echo "FAIL (windows): $*"; status=1; }

work=$(mktemp -d /tmp/gyrel-windows-test.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1 || { echo "FAIL (windows): no Wine prefix"; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
package="build/package/gyrel-$version-windows-x64"

# 1. Unit tests and end-to-end scripts.
ctest --test-dir build/windows --output-on-failure --timeout 600 "$@" || fail "ctest under Wine"

# Starts a game ($@) with its output in $1, waits for the menu's last font line; sets PID and
# STARTUP_MS (launch to that line).
game_start() {
    local out="$1"; shift
    local begin=$(date +%s%N)
    "$@" >"$out" 2>&1 &
    PID=$!
    local deadline=$((SECONDS + 30))
    while [ $SECONDS -le $deadline ]; do
        [ "$(grep -c '^LOADED: res/font/upheaval.ttf' "$out")" -ge 2 ] && break
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.02
    done
    STARTUP_MS=$((($(date +%s%N) - begin) / 1000000))
    [ "$(grep -c '^LOADED: res/font/upheaval.ttf' "$out")" -ge 2 ]
}

# Asks the game to close (the wrapper turns SIGTERM into a Windows close message) and checks
# that it ends with 0 after freeing the menu.
game_stop() {
    local out="$1" what="$2" code
    kill -TERM "$PID"
    for _ in $(seq 150); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$PID" 2>/dev/null; then
        fail "$what: no exit within 15 s of the close request"
        kill -KILL "$PID"
    fi
    wait "$PID"
    code=$?
    [ "$code" = 0 ] || fail "$what: exit status $code"
    tail -n 6 "$out" | grep -q '^FREED: res/font/upheaval.ttf' || fail "$what: the menu was not freed"
}

# 2. The menu of both builds, after the intro, with the pointer away from the buttons.
menu_shot() { # output-png game...
    local png="$1" out="$work/menu.txt" window
    shift
    if ! game_start "$out" "$@"; then
        fail "menu: $1 did not start"
        cat "$out"
        kill -KILL "$PID" 2>/dev/null
        return 1
    fi
    echo "start-up to the last font line: $STARTUP_MS ms ($1)"
    window=$(timeout 15 xdotool search --sync --name '^Gyrel\+$' | head -n 1)
    xdotool mousemove --window "$window" 5 5
    sleep 3.5
    import -window "$window" "$png"
    game_stop "$out" "menu ($1)"
}
[ -x build/default/gyrel ] || scripts/build default >/dev/null
menu_shot "$work/linux.png" build/default/gyrel
menu_shot "$work/windows.png" build/windows/gyrel-wine
difference=$(compare -metric RMSE "$work/linux.png" "$work/windows.png" null: 2>&1 | sed -n 's/.*(\(.*\))/\1/p')
echo "menu difference Linux - Windows (normalised RMSE): $difference"
awk -v d="${difference:-1}" 'BEGIN { exit !(d < 0.02) }' || fail "the Windows menu differs from the Linux one ($difference)"
mkdir -p build/windows/shots && cp "$work/linux.png" "$work/windows.png" build/windows/shots/

# 2b. A window of another shape draws the field letterboxed, and Alt+Enter (fullscreen and
# back) leaves the game running and closing cleanly.
out="$work/resized.txt"
if game_start "$out" build/windows/gyrel-wine; then
    window=$(timeout 15 xdotool search --sync --name '^Gyrel\+$' | head -n 1)
    xdotool mousemove 0 0
    xdotool windowsize --sync "$window" 1000 400
    sleep 3.5
    import -window "$window" "$work/resized.png"
    # 1000x400: the field is 711x400, with bars of 144 and 145 pixels left and right.
    lit() { convert "$work/resized.png" -crop "$1" +repage -fx '(r+g+b>0.3)' -format '%[fx:mean*w*h]' info: | cut -d. -f1; }
    [ "$(convert "$work/resized.png" -format '%wx%h' info:)" = 1000x400 ] || fail "resized: the window is not 1000x400"
    [ "$(lit 140x400+0+0)" = 0 ] || fail "resized: the left bar is not black"
    [ "$(lit 140x400+860+0)" = 0 ] || fail "resized: the right bar is not black"
    [ "$(lit 222x222+389+33)" -gt 3000 ] || fail "resized: no logo where the scaled field puts it"
    xdotool key --window "$window" alt+Return 2>/dev/null
    sleep 1.5
    xdotool key --window "$window" alt+Return 2>/dev/null
    sleep 1.5
    kill -0 "$PID" 2>/dev/null || fail "Alt+Enter ended the game"
    game_stop "$out" "resized and Alt+Enter"
    cp "$work/resized.png" build/windows/shots/
    echo "resized window: letterboxed; Alt+Enter twice: still running"
else
    fail "resized: the game did not start"
    kill -KILL "$PID" 2>/dev/null
fi

# 3. A failed start: the error line on the console and in a message box, then status 1.
out="$work/fail.txt"
SDL_AUDIODRIVER=none build/windows/gyrel-wine >"$out" 2>&1 &
PID=$!
box=$(timeout 20 xdotool search --sync --name '^Gyrel\+$' | head -n 1)
if [ -n "$box" ]; then
    [ "$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: //p')" != 1280x720 ] || fail "a game window opened instead of a message box"
    xdotool key --window "$box" Return
fi
[ -n "$box" ] || fail "no message box for a failed start"
for _ in $(seq 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PID" 2>/dev/null && { fail "the failed start did not end"; kill -KILL "$PID"; }
wait "$PID"
code=$?
[ "$code" = 1 ] || fail "a failed start ended with $code, not 1"
grep -q '^SDL_mixer ERROR: ' "$out" || { fail "no SDL_mixer ERROR line"; cat "$out"; }
echo "failed start: message box checked"

# 4. The installer: silent install for the current user, start from the Start-menu
# shortcut's target in its working directory, silent uninstall.
if [ -f "$package-setup.exe" ]; then
    wine "$package-setup.exe" /S >/dev/null 2>&1 || fail "the installer failed"
    timeout 120 wineserver -w
    link=$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Gyrel+.lnk' | head -n 1)
    if [ -z "$link" ]; then
        fail "no Start-menu shortcut"
    else
        mapfile -t shortcut < <(python3 windows/shortcut.py "$link")
        target=$(winepath -u "${shortcut[0]}" 2>/dev/null)
        folder=$(winepath -u "${shortcut[1]}" 2>/dev/null)
        [ -f "$target" ] && [ -d "$folder/res" ] || fail "shortcut: ${shortcut[*]}"
        out="$work/installed.txt"
        here=$PWD
        cd "$folder" || fail "no folder $folder"
        if game_start "$out" "$here/windows/wine-game" "$target"; then
            game_stop "$out" "installed game"
            for line in 'SDL2 VIDEO LOADED' 'SDL_mixer LOADED' 'LOADED: res/gfx/logo.png'; do
                grep -qx "$line" "$out" || fail "the installed game did not print: $line"
            done
            grep -q '^FAILED: ' "$out" && fail "the installed game could not load a file"
        else
            fail "the installed game did not start"
            cat "$out"
            kill -KILL "$PID" 2>/dev/null
        fi
        cd "$here"
        wine "$folder/uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
        timeout 120 wineserver -w
        [ ! -e "$folder" ] || [ -z "$(ls -A "$folder")" ] || fail "left after uninstalling: $(ls -A "$folder")"
        [ ! -e "$link" ] || fail "the shortcut is left after uninstalling"
        wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gyrel+' >/dev/null 2>&1 \
            && fail "the uninstall entry is left after uninstalling"
        echo "installer: installed, started from its shortcut, uninstalled"
    fi
else
    fail "no installer at $package-setup.exe (scripts/windows --package makes it)"
fi

[ "$status" = 0 ] && echo "windows: all passed"
exit "$status"
