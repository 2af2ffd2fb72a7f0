#!/usr/bin/env bash
# Checks the Debian package and the installed tree with the ecosystem's own validators, then
# starts the game through its launcher, from an unrelated working directory, out of
#   1. the package unpacked with dpkg-deb -x,
#   2. the same tree reached through a symlink to the launcher,
#   3. a `cmake --install --prefix` of the release build,
# each in a folder whose name has a space. Nothing is installed system-wide.
# Usage: tests/package/run.sh build/package/gyrel_<version>_<arch>.deb build/release
set -u
repo=$(cd "$(dirname "$0")/../.." && pwd)
deb=$(realpath "${1:?path of the .deb}")
build=$(realpath "${2:?release build folder}")
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$@"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

work=$(mktemp -d "/tmp/gyrel package.XXXXXX")
trap 'rm -rf "$work"' EXIT
fails=0
fail() {
    echo "FAIL: $*"
    fails=$((fails + 1))
}
check() { # what command...
    local what="$1"
    shift
    echo "--- $what"
    "$@" || fail "$what"
}

# Every error and warning must be fixed or overridden in the package with its reason.
check "lintian" lintian --info --display-info --fail-on error,warning "$deb"

dpkg-deb -x "$deb" "$work/deb" || { fail "dpkg-deb -x"; exit 1; }
usr="$work/deb/usr"
desktop=$(ls "$usr"/share/applications/*.desktop)
metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml)
check "desktop-file-validate" desktop-file-validate "$desktop"
check "appstreamcli validate" appstreamcli validate --no-net --explain "$metainfo"

# What the validators cannot see: the entry must start the launcher the package installs,
# find its icon in every hicolor size, and be the one the metainfo launches.
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Name)" = "Gyrel+" ] || fail "desktop entry Name is '$(entry Name)'"
[ "$(entry Categories)" = "Game;ArcadeGame;" ] || fail "desktop entry Categories"
[ -x "$usr/games/$(entry Exec)" ] || fail "desktop entry Exec '$(entry Exec)' is not usr/games/$(entry Exec)"
for size in 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x$size/apps/$(entry Icon).png"
    [ -f "$icon" ] || { fail "no ${size}px icon $(entry Icon).png"; continue; }
    file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $icon: $(file -b "$icon")"
done
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $(basename "$desktop")"
grep -q "<id>$(basename "$desktop" .desktop)</id>" "$metainfo" || fail "metainfo id differs from the desktop entry's name"
[ -f "$usr/share/doc/gyrel/screenshot.png" ] || fail "no screenshot in the package"

# A build that publishes the screenshot lists it in the metainfo, which must stay valid.
echo "--- metainfo with a screenshot address"
if cmake -S "$repo" -B "$work/media" -G Ninja -DGYREL_TESTS=OFF -DGYREL_BENCH=OFF \
        -DGYREL_MEDIA_URL=https://example.org/gyrel >/dev/null; then
    media="$work/media/packaging/$(basename "$metainfo")"
    grep -q '<image type="source" width="1280" height="720">https://example.org/gyrel/screenshot.png</image>' "$media" \
        || fail "no screenshot address in the metainfo"
    appstreamcli validate --no-net "$media" || fail "metainfo with a screenshot address"
else
    fail "configure with GYREL_MEDIA_URL"
fi

# The start-up transcript, the "Gyrel+" window and exit 0 on a close request come from the
# end-to-end start-up test; the no-display test checks that a failure status passes through.
run_from() { # what launcher
    mkdir -p "$work/elsewhere"
    echo "--- $1: startup"
    (cd "$work/elsewhere" && bash "$repo/tests/e2e/startup.sh" "$2") || fail "$1: startup"
    echo "--- $1: exit status without a display"
    (cd "$work/elsewhere" && bash "$repo/tests/e2e/startup_no_display.sh" "$2") || fail "$1: no display"
}
run_from "unpacked package" "$usr/games/gyrel"
mkdir -p "$work/bin"
ln -s "$usr/games/gyrel" "$work/bin/gyrel"
run_from "symlinked launcher" "$work/bin/gyrel"

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
run_from "cmake --install" "$work/prefix/games/gyrel"

if [ "$fails" -ne 0 ]; then
    echo "$fails package check(s) failed"
    exit 1
fi
echo "package checks passed"
