#!/usr/bin/env bash
# Makes build/package/gyrel-<version>-linux-x86_64.tar.gz and SHA256SUMS beside it from the
# build in build/portable/ (scripts/portable builds it first). $1 is the libraries' folder.
# One folder: the launcher, bin/gyrel, lib/ (the libraries a desktop may lack, stripped, each
# finding the others beside it), res/, the desktop entry and icon, README.txt and the licences.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix="${1:?folder of the built libraries}"

build=build/portable
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }
name="gyrel-$version-linux-x86_64"
out=build/package
stage="$build/stage/$name"
rm -rf "$build/stage" && mkdir -p "$stage/bin" "$stage/lib" "$stage/licenses" "$out"

strip --remove-section=.comment --remove-section=.note -o "$stage/bin/gyrel" "$build/gyrel"
patchelf --set-rpath '$ORIGIN/../lib' "$stage/bin/gyrel"
# Each library under the name the loader asks for, found beside the others: the binary's
# RUNPATH does not reach the libraries' own needs.
for soname in $(objdump -p "$stage/bin/gyrel" | awk '/NEEDED/ && /libSDL2/ { print $2 }'); do
    strip --strip-unneeded --remove-section=.comment -o "$stage/lib/$soname" "$prefix/lib/$soname"
    patchelf --set-rpath '$ORIGIN' "$stage/lib/$soname"
done
cp linux/gyrel "$stage/gyrel"
cp -r res "$stage/res"
cp packaging/gyrel.desktop "$stage/org.gyrel.Gyrel.desktop"
cp packaging/icons/hicolor/256x256/apps/gyrel.png "$stage/gyrel.png"
sed "s/@VERSION@/$version/" linux/README.txt >"$stage/README.txt"
cp LICENSE "$stage/LICENSE"
cp "$prefix"/licenses/* "$stage/licenses/"

tar -C "$build/stage" --sort=name --owner=0 --group=0 --numeric-owner -czf "$out/$name.tar.gz" "$name"
(cd "$out" && sha256sum "$name.tar.gz" >SHA256SUMS)
echo "$out/$name.tar.gz"
