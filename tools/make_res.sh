#!/bin/sh
# Rebuild every file in res/ from the generators in tools/, then check them.
#
#   tools/make_res.sh            regenerate everything
#   tools/make_res.sh --install  first apt-get update and install the Debian packages needed
#
# Output is deterministic: the same packages give the same files.
set -eu

PACKAGES="python3-numpy python3-pil vorbis-tools sox fonts-play glslang-tools"
PY=/usr/bin/python3          # Debian's Python, where python3-numpy/-pil live

here=$(cd "$(dirname "$0")" && pwd)
res=$(dirname "$here")/res

if [ "${1:-}" = "--install" ]; then
    apt-get update && apt-get install -y $PACKAGES
fi

missing=""
"$PY" -c "import numpy" 2>/dev/null || missing="$missing python3-numpy"
"$PY" -c "import PIL" 2>/dev/null || missing="$missing python3-pil"
command -v oggenc >/dev/null || missing="$missing vorbis-tools"
command -v sox >/dev/null || missing="$missing sox"
[ -f /usr/share/fonts/truetype/play/Play-Bold.ttf ] || missing="$missing fonts-play"
if [ -n "$missing" ]; then
    echo "make_res.sh: missing Debian packages:$missing" >&2
    echo "install them with: apt-get install$missing  (or run make_res.sh --install)" >&2
    exit 1
fi

echo "font    -> res/font"
"$here/copy_font.sh" "$res/font"
echo "shaders -> res/shader"
"$here/gen_shaders.sh" "$res/shader"
echo "images  -> res/gfx"
"$PY" "$here/gen_images.py" "$res/gfx" "$res/font/upheaval.ttf"
echo "effects -> res/sfx"
(cd "$here" && "$PY" gen_sfx.py "$res/sfx")
echo "music   -> res/mus"
(cd "$here" && "$PY" gen_music.py "$res/mus/ethnica.ogg")

echo "checking res/"
"$PY" "$here/check_res.py" "$res"
