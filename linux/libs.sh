#!/usr/bin/env bash
# Builds SDL2, SDL2_image, SDL2_ttf (with FreeType inside) and SDL2_mixer as shared libraries,
# and GLEW as a static one, inside a Debian 11 root with its own compiler, so that they need
# nothing newer than glibc 2.31. Both the root and the libraries are made once and kept in the
# cache, keyed by the package lists, the source versions and this recipe. Prints the root, then
# the libraries' folder (inside the root).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../scripts/lib/sources.bash"
source "$here/roots.bash"

BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config libglm-dev libgl-dev libegl-dev
    libgles-dev libx11-dev libxext-dev libxrandr-dev libxcursor-dev libxi-dev libxfixes-dev
    libxss-dev libxxf86vm-dev libxkbcommon-dev libwayland-dev wayland-protocols libdrm-dev
    libgbm-dev libasound2-dev libpulse-dev libudev-dev libdbus-1-dev)
# Debian 11 has no libdecor. SDL only needs its header and library name to load it at run time
# where a system has it (title bars on Wayland), so Debian 12's -dev files are put in the root.
LIBDECOR=(libdecor-0-dev=0.1.1-2 libdecor-0-0=0.1.1-2)
BUILT=(libsdl2 libsdl2-image libsdl2-ttf libsdl2-mixer freetype glew)

root=$(root_make bullseye "${BUILD_PACKAGES[@]}")
recipe=$(cat "$here/libs.sh" "$here/libs-build.sh" | sha256sum | cut -c1-8)
name="gyrel-$(sources_key)-$recipe"
prefix="$root/opt/$name"

build() {
    [ -f "$prefix/.complete" ] && return 0
    local downloads="$GYREL_CACHE/downloads" deb package trees=()
    mkdir -p "$downloads"
    for package in "${LIBDECOR[@]}"; do
        deb="$downloads/${package%%=*}_${package#*=}_amd64.deb"
        [ -f "$deb" ] || (cd "$downloads" && apt-get download -qq "$package" 2>/dev/null)
        dpkg-deb -x "$deb" "$root"
    done
    for package in "${BUILT[@]}"; do trees+=("/tmp/src/$(basename "$(source_unpack "$package")")"); done
    rm -rf "$prefix"
    echo "portable: building ${BUILT[*]} in the Debian 11 root" >&2
    root_run "$root" --bind "$GYREL_CACHE/src" /tmp/src --bind "$here" /tmp/recipe -- \
        bash /tmp/recipe/libs-build.sh "/opt/$name" "${trees[@]}" >&2
    touch "$prefix/.complete"
}

(
    flock 9
    build
) 9>"$GYREL_CACHE/roots/.libs.lock"
echo "$root"
echo "$prefix"
