# Shared by the end-to-end scripts: failure counting, stopping the game, waiting for console
# lines, screenshots and their pixel counts, and the resource lines each state prints when it is
# entered and left.
# The sourcing script sets GAME, OUT and PID (and MOMENT, to label failures), and SHOTS for
# the screenshots and menu_wait.

FAILS=0
PID=

fail() {
    echo "FAIL${MOMENT:+ [$MOMENT]}: $*"
    FAILS=$((FAILS + 1))
}

# Kills a game still running (a script that ends early must not leave one behind).
finish() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill -KILL "$PID" 2>/dev/null
        wait "$PID" 2>/dev/null
    fi
    PID=
}
trap finish EXIT

lines_now() { wc -l <"$OUT"; }

# A screenshot of the game's window ($WID, its drawing area), kept as $SHOTS/$1.png.
shot() { import -window "$WID" "$SHOTS/$1.png"; }

# How many pixels differ between two screenshots of $SHOTS (names without .png).
differing() { compare -metric AE "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 | cut -d' ' -f1; }

# Keys, pressed together and held 100 ms, to the game's window ($WID), raised and focused first.
key() {
    xdotool windowactivate --sync "$WID" 2>/dev/null
    xdotool windowfocus --sync "$WID" 2>/dev/null
    xdotool keydown "$@"
    sleep 0.1
    xdotool keyup "$@"
}

# Number of pixels in the region (WxH+X+Y) of a screenshot for which the fx expression holds.
pixels() {
    local n
    n=$(convert "$SHOTS/$1.png" -crop "$2" +repage -fx "$3" -format '%[fx:mean*w*h]' info:)
    printf '%.0f' "$n"
}

expect_pixels() { # screenshot region expression minimum maximum what
    local n
    n=$(pixels "$1" "$2" "$3")
    if [ "$n" -lt "$4" ] || [ "$n" -gt "$5" ]; then fail "$6: $n pixels in $2 of $1.png, expected $4 to $5"; fi
}

GREEN='(g>0.95 && r>0.2 && r<0.4 && b>0.2 && b<0.4)'
GREENISH='(g>0.3 && r<0.6*g && b<0.6*g)'
WHITE='(r>0.85 && g>0.85 && b>0.85)'
LIT='(r+g+b>0.3)'

# Waits up to $2 seconds for a line of standard output matching $1, after line $3 if given.
line_wait() {
    local deadline=$((SECONDS + $2))
    while [ $SECONDS -le $deadline ]; do
        if tail -n +"$((${3:-0} + 1))" "$OUT" | grep -q -- "$1"; then return 0; fi
        if ! kill -0 "$PID" 2>/dev/null; then return 1; fi
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the game's window and prints its id; further arguments go to
# xdotool search (--pid PID). It looks every 50 ms: xdotool's own --sync looks only twice a
# second, and a window that shows late (Wine maps it once the game is running) must be found
# while the menu's intro is still on.
window_wait() {
    local deadline=$((SECONDS + $1)) id
    shift
    while [ $SECONDS -le $deadline ]; do
        id=$(xdotool search "$@" --name '^Gyrel\+$' 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Starts the game ($GAME, its output in $OUT, with any VAR=value arguments added to its
# environment) and waits up to 15 s for its window: sets PID and WID, or fails and returns 1.
# The window is found by process: the window of a run before may not be gone from the server yet.
game_open() {
    env SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$@" "$GAME" >"$OUT" 2>&1 &
    PID=$!
    WID=$(window_wait 15 --pid "$PID")
    [ -n "$WID" ] && return 0
    fail "no window titled Gyrel+"
    return 1
}

# Waits up to $1 seconds until the game reads its input: its menu is loaded and drawn (the logo
# shows in window $2). Until the loop runs, X queues a key's press and its release and the
# first poll takes both at once, so a tap sent earlier is never seen as held. Start-up takes
# seconds on a busy machine.
menu_wait() {
    local deadline=$((SECONDS + $1)) lit
    line_wait "^LOADED: res/font/upheaval.ttf" "$1" || return 1
    while [ $SECONDS -le $deadline ]; do
        import -window "$2" "$SHOTS/menu_wait.png" 2>/dev/null
        lit=$(convert "$SHOTS/menu_wait.png" -crop 400x400+440+60 +repage -fx '(r+g+b>0.3)' -format '%[fx:mean*w*h]' info: 2>/dev/null)
        [ "${lit%.*}" -gt 100 ] 2>/dev/null && return 0
        kill -0 "$PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Sends the close request (SDL turns SIGTERM into a quit event) and waits up to 10 s for the
# game to end by itself. Sets QUIT_STATUS to its exit status, or leaves it empty on a hang.
game_quit() {
    QUIT_STATUS=
    kill -TERM "$PID"
    for _ in $(seq 1 100); do
        if ! kill -0 "$PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    if kill -0 "$PID" 2>/dev/null; then
        fail "no exit within 10 s of the close request"
        finish
        return 1
    fi
    wait "$PID"
    QUIT_STATUS=$?
    PID=
    [ "$QUIT_STATUS" = 0 ] || fail "exit status $QUIT_STATUS after the close request"
}

MENU_LOAD='LOADED: Shader #0
LOADED: res/gfx/logo.png
LOADED: res/sfx/hover.ogg
LOADED: res/sfx/select.ogg
LOADED: res/font/upheaval.ttf
LOADED: res/font/upheaval.ttf'
MENU_FREE='FREED: Shader #0
FREED: res/gfx/logo.png
FREED: res/sfx/hover.ogg
FREED: res/sfx/select.ogg
FREED: res/font/upheaval.ttf
FREED: res/font/upheaval.ttf'
PLAY_LOAD='LOADED: Shader #0
LOADED: res/gfx/player.png
LOADED: res/gfx/follower.png
LOADED: res/gfx/enemy.png
LOADED: res/gfx/particle.png
LOADED: res/gfx/warning.png
LOADED: res/sfx/collide.ogg
LOADED: res/sfx/level.ogg
LOADED: res/sfx/hurt.ogg
LOADED: res/sfx/warning.ogg
LOADED: res/mus/ethnica.ogg
LOADED: res/font/upheaval.ttf
LOADED: res/font/upheaval.ttf'
PLAY_FREE='FREED: Shader #0
FREED: res/gfx/player.png
FREED: res/gfx/follower.png
FREED: res/gfx/enemy.png
FREED: res/gfx/particle.png
FREED: res/gfx/warning.png
FREED: res/sfx/collide.ogg
FREED: res/sfx/level.ogg
FREED: res/sfx/hurt.ogg
FREED: res/sfx/warning.ogg
FREED: res/mus/ethnica.ogg
FREED: res/font/upheaval.ttf
FREED: res/font/upheaval.ttf'
RESULTS_LOAD='LOADED: Shader #0
LOADED: res/sfx/hover.ogg
LOADED: res/sfx/select.ogg
LOADED: res/font/upheaval.ttf'
RESULTS_FREE='FREED: Shader #0
FREED: res/sfx/hover.ogg
FREED: res/sfx/select.ogg
FREED: res/font/upheaval.ttf'

# The resource lines of two cycles, menu -> play -> results -> menu -> play, ended in play.
TWO_CYCLES="LOADED: res/shader/textureQuad.vs
LOADED: res/shader/textureQuad.fs
$MENU_LOAD
$MENU_FREE
$PLAY_LOAD
$PLAY_FREE
$RESULTS_LOAD
$RESULTS_FREE
$MENU_LOAD
$MENU_FREE
$PLAY_LOAD
$PLAY_FREE"

# Compares the game's whole transcript of resource lines, in order, with $1.
transcript_check() {
    local actual
    actual=$(grep -E '^(LOADED|FREED|FAILED): ' "$OUT")
    if [ "$actual" != "$1" ]; then
        fail "resource lines differ"
        diff <(echo "$1") <(echo "$actual")
    fi
}

# Ends the script: where its screenshots are, and passed or how many checks failed.
result() { # name
    echo "screenshots and transcript in $SHOTS"
    if [ "$FAILS" -ne 0 ]; then
        echo "$FAILS check(s) failed"
        exit 1
    fi
    echo "$1 passed"
}
