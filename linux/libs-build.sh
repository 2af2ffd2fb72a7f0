#!/usr/bin/env bash
# Run by linux/libs.sh inside the Debian 11 root, with Debian 11's compiler and CMake:
#   libs-build.sh PREFIX SDL2 SDL2_IMAGE SDL2_TTF SDL2_MIXER FREETYPE GLEW   (source folders)
# SDL is built with its upstream defaults: it needs only libc and loads X11, Wayland, ALSA,
# PulseAudio (and with it PipeWire's service), udev and D-Bus at run time, where they exist.
set -euo pipefail
prefix="$1" sdl="$2" image="$3" ttf="$4" mixer="$5" freetype="$6" glew="$7"
work=/tmp/build
mkdir -p "$work" "$prefix/lib/pkgconfig" "$prefix/include"

cmake_lib() { # name source-tree cmake-options...
    local name="$1" tree="$2"
    shift 2
    echo "portable: building $name"
    cmake -S "$tree" -B "$work/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_PREFIX_PATH="$prefix" \
        "$@" >"$work/$name.log" 2>&1 &&
        cmake --build "$work/$name" -j2 >>"$work/$name.log" 2>&1 &&
        cmake --install "$work/$name" >>"$work/$name.log" 2>&1 ||
        { tail -n 40 "$work/$name.log" >&2; return 1; }
}

# Debian 11's PipeWire is older than SDL wants; PipeWire systems are reached through their
# PulseAudio service.
cmake_lib sdl2 "$sdl" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL_PIPEWIRE=OFF
# FreeType goes inside SDL2_ttf, with none of its optional codecs.
cmake_lib freetype "$freetype" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
    -DFT_DISABLE_BROTLI=ON
cmake_lib sdl2_image "$image" -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_BACKEND_STB=ON \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF \
    -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_TESTS=OFF
# SDL2_ttf installs its .pc with file(COPY_FILE) from CMake 3.21; Debian 11 has 3.18.
cp -r "$ttf" "$work/ttf-source"
sed -i -e 's/file(COPY_FILE /configure_file(/' -e 's/ ONLY_IF_DIFFERENT)/ COPYONLY)/' \
    "$work/ttf-source/CMakeLists.txt"
cmake_lib sdl2_ttf "$work/ttf-source" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF \
    -DSDL2TTF_SAMPLES=OFF
# Ogg Vorbis and WAV only: the game plays nothing else.
cmake_lib sdl2_mixer "$mixer" -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON -DSDL2MIXER_FLAC=OFF \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF \
    -DSDL2MIXER_CMD=OFF -DSDL2MIXER_SAMPLES=OFF

# GLEW is one C file: linked into the game, without GLU.
echo "portable: building glew"
gcc -O2 -fPIC -DGLEW_STATIC -DGLEW_NO_GLU -I"$glew/include" -c "$glew/src/glew.c" -o "$work/glew.o"
ar rcs "$prefix/lib/libGLEW.a" "$work/glew.o"
cp -r "$glew/include/GL" "$prefix/include/"
cat >"$prefix/lib/pkgconfig/glew.pc" <<PC
prefix=$prefix
Name: glew
Description: GLEW, static, without GLU
Version: 2.2.0
Requires.private: gl
Libs: -L\${prefix}/lib -lGLEW -lGL
Cflags: -I\${prefix}/include -DGLEW_STATIC -DGLEW_NO_GLU
PC

# The licences that go with the libraries.
mkdir -p "$prefix/licenses"
cp "$sdl/LICENSE.txt" "$prefix/licenses/SDL2.txt"
cp "$image/LICENSE.txt" "$prefix/licenses/SDL2_image.txt"
cp "$ttf/LICENSE.txt" "$prefix/licenses/SDL2_ttf.txt"
cp "$mixer/LICENSE.txt" "$prefix/licenses/SDL2_mixer.txt"
cp "$freetype/docs/FTL.TXT" "$prefix/licenses/FreeType.txt"
cp "$glew/LICENSE.txt" "$prefix/licenses/GLEW.txt"
