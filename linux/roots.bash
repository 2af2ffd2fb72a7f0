# Sourced by the portable build and its tests: minimal Debian roots made by mmdebstrap, kept in
# the cache (GYREL_CACHE/roots/) under a key naming the release and the packages in them, and a
# way to run a program inside one (in a mount namespace of its own, so nothing stays mounted).
# Needs root. scripts/lib/sources.bash is sourced first.

DEBIAN_MIRROR="${GYREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
LINUX_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The libraries of a desktop with no SDL: Mesa's GL and EGL, X11, Wayland, sound and D-Bus.
desktop_packages() { # suite
    local alsa=libasound2
    [ "$1" = trixie ] && alsa=libasound2t64
    echo libgl1 libgl1-mesa-dri libegl1 libx11-6 libxext6 libpulse0 libwayland-client0 libdbus-1-3 "$alsa"
}

# Makes a minbase root of Debian release $1 with packages $2... once and prints its folder.
# Runs at once take turns.
root_make() {
    local suite="$1"
    shift
    local key root
    key=$(printf '%s\n' "$suite" "$@" | sha256sum | cut -c1-12)
    root="$GYREL_CACHE/roots/$suite-$key"
    mkdir -p "$GYREL_CACHE/roots"
    (
        flock 9
        [ -f "$root.complete" ] && exit 0
        echo "making a Debian $suite root in $root" >&2
        rm -rf "$root"
        local include
        include=$(IFS=,; echo "$*")
        mmdebstrap --quiet --mode=root --variant=minbase ${include:+--include="$include"} \
            "$suite" "$root" "$DEBIAN_MIRROR" >&2
        # An absolute loader link would point at the build machine's loader when the root
        # serves as a compiler's sysroot.
        local loader
        loader=$(readlink "$root/lib64/ld-linux-x86-64.so.2")
        case "$loader" in
            /*) ln -sfn "../${loader#/}" "$root/lib64/ld-linux-x86-64.so.2" ;;
        esac
        touch "$root.complete"
    ) 9>"$root.lock" || return 1
    echo "$root"
}

# Runs a command inside root $1 as a clean login would, with the host's X display:
#   root_run ROOT [--bind HOST-FOLDER ROOT-FOLDER]... -- [VAR=value]... command [arguments]
# /proc, /dev, a fresh /tmp and the X sockets are mounted for it; DISPLAY, XAUTHORITY (copied
# in) and SDL_AUDIODRIVER pass through. The command keeps the caller's
# process id (every step execs the next), so its window can be found by process.
root_run() {
    unshare --mount --propagation private "$LINUX_DIR/in-root" "$@"
}
