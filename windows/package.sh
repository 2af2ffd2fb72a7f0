#!/usr/bin/env bash
# Makes build/package/gyrel-<version>-windows-x64.zip (gyrel.exe, res/, LICENSE, README.txt)
# and build/package/gyrel-<version>-windows-x64-setup.exe (the NSIS installer) from the
# cross-build in build/windows/ (scripts/windows --package builds it first).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/windows
[ -f "$build/gyrel.exe" ] || { echo "no $build/gyrel.exe: run scripts/windows first" >&2; exit 1; }
[ -f LICENSE ] || { echo "no LICENSE at the repository root: the packages must carry it" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }

name="gyrel-$version-windows-x64"
out=build/package
stage="$build/stage/$name"
rm -rf "$build/stage" && mkdir -p "$stage" "$out"
x86_64-w64-mingw32-strip -o "$stage/gyrel.exe" "$build/gyrel.exe"
cp -r res "$stage/res"
# Windows readers expect CR LF line ends in text files.
sed 's/$/\r/' LICENSE >"$stage/LICENSE"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' windows/README.txt >"$stage/README.txt"

rm -f "$out/$name.zip"
(cd "$build/stage" && zip -qr -X "$OLDPWD/$out/$name.zip" "$name")
unzip -tq "$out/$name.zip" >/dev/null

makensis -V2 -WX -DVERSION="$version" -DSTAGE="$(realpath "$stage")" \
    -DICON="$(realpath packaging/icons/gyrel.ico)" -DOUTFILE="$(realpath "$out")/$name-setup.exe" \
    windows/installer.nsi
echo "$out/$name.zip"
echo "$out/$name-setup.exe"
