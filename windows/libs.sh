#!/usr/bin/env bash
# Builds SDL2, SDL2_image, SDL2_ttf, SDL2_mixer, FreeType, GLEW and GoogleTest as static
# libraries for 64-bit Windows, once, into a cache folder named by the source versions and the
# compiler version, and prints that folder. Builds running at once take turns.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../scripts/lib/sources.bash"

MINGW=x86_64-w64-mingw32
compiler_version=$("$MINGW-g++-posix" -dumpfullversion)
prefix="$GYREL_CACHE/windows-$(sources_key)-$compiler_version"

build() {
    [ -f "$prefix/.complete" ] && return 0
    local work="$GYREL_CACHE/windows-build.$$"
    rm -rf "$prefix" "$work"
    mkdir -p "$prefix/lib/pkgconfig" "$prefix/include" "$work"
    trap 'rm -rf "$work"' RETURN

    local cmake_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_TOOLCHAIN_FILE="$here/toolchain.cmake" -DGYREL_WINDOWS_PREFIX="$prefix"
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF)
    cmake_lib() { # name source-tree cmake-options...
        local name="$1" tree="$2"; shift 2
        echo "windows: building $name" >&2
        cmake -S "$tree" -B "$work/$name" "${cmake_common[@]}" "$@" >"$work/$name.log" 2>&1 \
            && cmake --build "$work/$name" -j2 >>"$work/$name.log" 2>&1 \
            && cmake --install "$work/$name" >>"$work/$name.log" 2>&1 \
            || { tail -n 40 "$work/$name.log" >&2; return 1; }
    }

    cmake_lib sdl2 "$(source_unpack libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
    cmake_lib freetype "$(source_unpack freetype)" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
        -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    cmake_lib sdl2_image "$(source_unpack libsdl2-image)" -DSDL2IMAGE_VENDORED=OFF \
        -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_BACKEND_WIC=OFF -DSDL2IMAGE_AVIF=OFF \
        -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_SVG=OFF \
        -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_TESTS=OFF
    cmake_lib sdl2_ttf "$(source_unpack libsdl2-ttf)" -DSDL2TTF_VENDORED=OFF \
        -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
    cmake_lib sdl2_mixer "$(source_unpack libsdl2-mixer)" -DSDL2MIXER_VORBIS=STB \
        -DSDL2MIXER_WAVE=ON -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF \
        -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_SAMPLES=OFF
    cmake_lib googletest /usr/src/googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF

    echo "windows: building glew" >&2
    local glew
    glew="$(source_unpack glew)"
    "$MINGW-gcc-posix" -O2 -DGLEW_STATIC -DGLEW_NO_GLU -I"$glew/include" \
        -c "$glew/src/glew.c" -o "$work/glew.o"
    "$MINGW-ar" rcs "$prefix/lib/libglew32.a" "$work/glew.o"
    cp -r "$glew/include/GL" "$prefix/include/"

    # The satellite libraries install no .pc file for static builds, GLEW none at all; these
    # let pkg-config give the game its flags and the static link its order.
    pc() { # name requires libs cflags
        printf 'prefix=%s\nName: %s\nDescription: %s for Windows\nVersion: 0\nRequires: %s\nLibs: -L${prefix}/lib %s\nCflags: -I${prefix}/include -I${prefix}/include/SDL2 %s\n' \
            "$prefix" "$1" "$1" "$2" "$3" "$4" >"$prefix/lib/pkgconfig/$1.pc"
    }
    pc SDL2_image sdl2 -lSDL2_image ""
    pc SDL2_ttf "sdl2 freetype2" -lSDL2_ttf ""
    pc SDL2_mixer sdl2 -lSDL2_mixer ""
    pc glew "" "-lglew32 -lopengl32" -DGLEW_STATIC

    # Debian's glm config adds /usr/include, whose glibc headers would shadow mingw's: this
    # one points at the glm headers alone.
    ln -s /usr/include/glm "$prefix/include/glm"
    mkdir -p "$prefix/lib/cmake/glm"
    cat >"$prefix/lib/cmake/glm/glmConfig.cmake" <<GLM
if(NOT TARGET glm::glm)
    add_library(glm::glm INTERFACE IMPORTED)
    set_target_properties(glm::glm PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "$prefix/include")
endif()
set(glm_FOUND TRUE)
GLM
    touch "$prefix/.complete"
}

mkdir -p "$GYREL_CACHE"
(
    flock 9
    build
) 9>"$GYREL_CACHE/.windows.lock"
echo "$prefix"
