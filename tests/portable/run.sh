#!/usr/bin/env bash
# Checks the portable tarball as players on other distributions get it. Unpacked into a folder
# whose name has a space, it is started through its launcher (real X input, on this machine's
# virtual display) in minimal Debian 11, 12 and 13 roots that hold a desktop's libraries and no
# SDL: the menu draws in each, a whole cycle plays in Debian 11, and the menu draws in a Debian
# 11 whose own older SDL2 and SDL2_ttf come first on LD_LIBRARY_PATH (as Steam's runtime). Every bundled file needs nothing newer than Debian 11 has, and
# nothing is missing in any root. On this machine: through a symlink from elsewhere, natively
# on Wayland (weston), fullscreen on the Steam Deck's 1280x800 screen, the menu entry that
# --install adds and --uninstall removes, and the start-up time beside the Debian package's.
# Needs root (the roots). Usage: tests/portable/run.sh TARBALL [DEBIAN-PACKAGE]
set -u
repo=$(cd "$(dirname "$0")/../.." && pwd)
tarball=$(realpath "${1:?path of gyrel-<version>-linux-x86_64.tar.gz}")
deb=${2:+$(realpath "$2")}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$@"
fi
export SDL_AUDIODRIVER=dummy
source "$repo/scripts/lib/sources.bash"
source "$repo/linux/roots.bash"

work=$(mktemp -d "/tmp/gyrel portable.XXXXXX")
trap 'rm -rf "$work"' EXIT
shots=${E2E_SHOTS:-$(mktemp -d /tmp/gyrel-portable-shots.XXXXXX)}
fails=0
fail() {
    echo "FAIL (portable): $*"
    fails=$((fails + 1))
}

name=$(basename "$tarball" .tar.gz)
size=$(stat -c %s "$tarball")
[ "$size" -le 5000000 ] || fail "the tarball is $size bytes, more than 5 MB"
(cd "$(dirname "$tarball")" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
mkdir -p "$work/Gyrel games"
tar -xzf "$tarball" -C "$work/Gyrel games" || { fail "tar -x"; exit 1; }
folder="$work/Gyrel games/$name"
inside="/tmp/Gyrel games/$name" # where the roots see it

# The roots are made (once) side by side. "steam" is Debian 11 with its own SDL2 and older
# SDL2_ttf, which stand for those of Steam's runtime.
declare -A roots
for suite in bullseye bookworm trixie steam; do
    packages=$(desktop_packages "${suite/steam/bullseye}")
    [ "$suite" = steam ] && packages+=" libsdl2-ttf-2.0-0"
    # shellcheck disable=SC2086 # one package a word
    root_make "${suite/steam/bullseye}" $packages >"$work/root-$suite" &
done
wait
for suite in bullseye bookworm trixie steam; do
    roots[$suite]=$(cat "$work/root-$suite")
    [ -d "${roots[$suite]}" ] || { fail "no $suite root"; exit 1; }
done

# Every symbol version a bundled file asks of the system is one Debian 11's libraries define.
echo "--- symbol versions"
newest=$(objdump -p "$folder"/bin/gyrel "$folder"/lib/* | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -n 1)
echo "newest glibc version asked for: $newest"
while read -r library version; do
    found=$(find "${roots[bullseye]}/lib/x86_64-linux-gnu" "${roots[bullseye]}/usr/lib/x86_64-linux-gnu" \
        -maxdepth 1 -name "$library" | head -n 1)
    if [ -z "$found" ]; then
        fail "$library is not in Debian 11"
    elif ! objdump -p "$found" | awk '/^Version definitions/,/^$/' | grep -qw "$version"; then
        fail "$version of $library is newer than Debian 11's"
    fi
done < <(objdump -p "$folder"/bin/gyrel "$folder"/lib/* |
    awk '/required from/ { library = $3; sub(/:$/, "", library) } / 0x[0-9a-f]+ 0x/ && library { print library, $NF }' | sort -u)

# Runs $2... in root $1 with the unpacked folder inside it.
in_root() {
    local root="$1"
    shift
    root_run "$root" --bind "$folder" "$inside" -- "$@"
}
# A game command for the end-to-end scripts, written to file $1: the launcher in root $2, with
# the environment $3...
game_in() {
    {
        echo '#!/bin/bash'
        printf 'exec unshare --mount --propagation private %q %q --bind %q %q --' \
            "$repo/linux/in-root" "$2" "$folder" "$inside"
        printf ' %q' "${@:3}" "$inside/gyrel"
        echo ' "$@"'
    } >"$1"
    chmod +x "$1"
}

# The menu after its intro: the logo and the green "Start".
menu_check() { # what game
    (
        GAME="$2" SHOTS="$shots/$1" MOMENT="$1"
        OUT="$SHOTS/stdout.txt"
        mkdir -p "$SHOTS"
        source "$repo/tests/e2e/lib/common.bash"
        game_open || exit 1
        menu_wait 30 "$WID" || fail "the menu was not drawn"
        sleep 2.5
        shot menu
        expect_pixels menu 400x400+440+60 "$LIT" 20000 160000 "logo"
        expect_pixels menu 160x70+560+615 "$GREEN" 200 6000 "green Start"
        game_quit
        [ "$FAILS" = 0 ] || { cat "$OUT"; exit 1; }
    )
}

for suite in bullseye bookworm trixie; do
    echo "--- Debian $suite: libraries"
    listing=$(in_root "${roots[$suite]}" sh -c 'cd "$1" && for f in bin/gyrel lib/*; do echo "$f:"; ldd "$f"; done' sh "$inside")
    echo "$listing" | grep 'not found' && fail "$suite: libraries not found"
    echo "$listing" | grep -E 'libSDL2.* => ' | grep -v "=> $inside/" && fail "$suite: SDL2 taken from outside the folder"
    game_in "$work/game-$suite" "${roots[$suite]}"
    if [ "$suite" = bullseye ]; then
        echo "--- Debian $suite: a whole cycle"
        (cd "$repo" && E2E_SHOTS="$shots/cycle" bash tests/e2e/cycle.sh "$work/game-$suite") || fail "$suite: cycle"
    else
        echo "--- Debian $suite: the menu"
        menu_check "$suite" "$work/game-$suite" || fail "$suite: menu"
    fi
done

# Steam starts other games with its runtime's libraries first on LD_LIBRARY_PATH.
echo "--- Debian bullseye: LD_LIBRARY_PATH holding an older SDL2 and SDL2_ttf"
game_in "$work/game-old-ttf" "${roots[steam]}" LD_LIBRARY_PATH=/usr/lib/x86_64-linux-gnu
menu_check old-ttf "$work/game-old-ttf" || fail "the launcher let an older SDL2_ttf in"

# On this machine: the launcher through a symlink, from an unrelated working directory.
echo "--- through a symlink"
mkdir -p "$work/bin" "$work/elsewhere"
ln -s "$folder/gyrel" "$work/bin/gyrel"
(cd "$work/elsewhere" && bash "$repo/tests/e2e/startup.sh" "$work/bin/gyrel") || fail "startup through a symlink"

# Natively on Wayland: weston's X11 backend on this display, its kiosk shell giving the game
# the whole 1280x720 output, so field and weston window coincide.
echo "--- Wayland (weston)"
(
    SHOTS="$shots/wayland" MOMENT=wayland
    OUT="$SHOTS/stdout.txt"
    mkdir -p "$SHOTS" "$work/xdg"
    chmod 700 "$work/xdg"
    source "$repo/tests/e2e/lib/common.bash"
    export XDG_RUNTIME_DIR="$work/xdg"
    weston --backend=x11-backend.so --shell=kiosk-shell.so --use-pixman --width=1280 --height=720 \
        --socket=gyrel-test --idle-time=0 >"$SHOTS/weston.log" 2>&1 &
    weston=$!
    trap 'finish; kill $weston 2>/dev/null; wait $weston 2>/dev/null' EXIT
    for _ in $(seq 100); do
        WID=$(xdotool search --classname '^weston' 2>/dev/null | head -n 1)
        [ -n "$WID" ] && [ -S "$XDG_RUNTIME_DIR/gyrel-test" ] && break
        WID=
        sleep 0.1
    done
    [ -n "$WID" ] || { fail "weston did not start"; cat "$SHOTS/weston.log"; exit 1; }
    SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=gyrel-test "$folder/gyrel" >"$OUT" 2>&1 &
    PID=$!
    menu_wait 30 "$WID" || fail "the menu was not drawn"
    sleep 2.5
    shot menu
    expect_pixels menu 400x400+440+60 "$LIT" 20000 160000 "logo"
    expect_pixels menu 160x70+560+615 "$GREEN" 200 6000 "green Start"
    xdotool mousemove --window "$WID" 640 650
    sleep 0.3
    MARK=$(lines_now)
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
    line_wait 'LOADED: res/mus/ethnica.ogg' 10 "$MARK" || fail "a click on Start did not start play"
    game_quit
    [ "$FAILS" = 0 ] || { cat "$OUT"; exit 1; }
) || fail "Wayland"

# The Steam Deck's screen: fullscreen, letterboxed, pointer mapped (the screens script).
echo "--- a 1280x800 screen"
(cd "$repo" && E2E_SHOTS="$shots/deck" E2E_SCREENS=1280x800 bash tests/e2e/screens.sh "$folder/gyrel") ||
    fail "1280x800 screen"

# The menu entry: valid, starting this launcher (its path has a space), and gone again.
echo "--- menu entry"
(
    export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
    entry="$XDG_DATA_HOME/applications/org.gyrel.Gyrel.desktop"
    "$work/bin/gyrel" --install >/dev/null || fail "--install"
    desktop-file-validate "$entry" || fail "the installed entry is not valid"
    # The Exec value unquoted as a desktop would: string escapes, then the quoting.
    exec_path=$(sed -n 's/^Exec=//p' "$entry" | sed -e 's/\\\\/\\/g' -e 's/^"\(.*\)"$/\1/' -e 's/\\\(.\)/\1/g')
    [ "$exec_path" = "$folder/gyrel" ] || fail "Exec names '$exec_path', not the launcher"
    [ -f "$(sed -n 's/^Icon=//p' "$entry")" ] || fail "no icon at the entry's Icon"
    grep -qx 'StartupWMClass=gyrel' "$entry" || fail "StartupWMClass is not the window's class"
    "$folder/gyrel" --uninstall >/dev/null || fail "--uninstall"
    [ ! -e "$entry" ] || fail "--uninstall left $entry"
)

# Launch to the menu's last resource line, the portable build against the Debian package.
startup_ms() { # launcher
    local out="$work/startup.txt" begin pid
    begin=$(date +%s%N)
    "$1" >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        [ "$(grep -c '^LOADED: res/font/upheaval.ttf' "$out")" -ge 2 ] && break
        sleep 0.01
    done
    echo $((($(date +%s%N) - begin) / 1000000))
    kill -TERM "$pid"
    wait "$pid"
}
echo "--- start-up"
echo "portable: $size bytes, start-up $(startup_ms "$folder/gyrel") ms"
if [ -n "$deb" ]; then
    dpkg-deb -x "$deb" "$work/deb"
    echo "Debian package: $(stat -c %s "$deb") bytes, start-up $(startup_ms "$work/deb/usr/games/gyrel") ms"
fi

echo "screenshots in $shots"
if [ "$fails" -ne 0 ]; then
    echo "$fails portable check(s) failed"
    exit 1
fi
echo "portable checks passed"
