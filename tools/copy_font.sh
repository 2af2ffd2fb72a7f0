#!/bin/sh
# Copy the game's font out of Debian's fonts-play package and put its
# licence beside it.  The font file itself is not changed, only renamed.
# Usage: copy_font.sh OUTDIR
set -eu
out=${1:?usage: copy_font.sh OUTDIR}
src=/usr/share/fonts/truetype/play/Play-Bold.ttf
copyright=/usr/share/doc/fonts-play/copyright
if [ ! -f "$src" ] || [ ! -f "$copyright" ]; then
    echo "copy_font.sh: $src not found; run: apt-get install fonts-play" >&2
    exit 1
fi
version=$(dpkg-query -W -f='${Version}' fonts-play 2>/dev/null || echo unknown)
mkdir -p "$out"
cp "$src" "$out/upheaval.ttf"
{
    echo "upheaval.ttf is an unmodified copy of Play-Bold.ttf (the font \"Play\","
    echo "bold weight) from the Debian package fonts-play, version $version,"
    echo "renamed to the file name the game loads."
    echo
    echo "Copyright 2011, Jonas Hecksher, Playtypes, e-types AS (e-types.com)."
    echo "The font is licensed under the SIL Open Font License, Version 1.1."
    echo "The package's copyright file follows in full."
    echo
    echo "------------------------------------------------------------------------"
    cat "$copyright"
} > "$out/LICENSE"
