# Sourced by the web and Windows builds: the Debian source packages of the libraries they
# build themselves, at the versions the Linux build links, and the cache that keeps them and
# the libraries built from them outside the work tree (GYREL_CACHE, default ~/.cache/gyrel).

# Source package name and Debian version, one pair each; the Linux build's -dev packages.
DEBIAN_SOURCES=(
    libsdl2=2.26.5+dfsg-1
    libsdl2-image=2.6.3+dfsg-1
    libsdl2-mixer=2.6.2+dfsg-2
    libsdl2-ttf=2.20.1+dfsg-2
    freetype=2.12.1+dfsg-5+deb12u4
    glew=2.2.0-4
)

GYREL_CACHE="${GYREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/gyrel}"

# A short key naming every source version, for the cache folders built from them.
sources_key() {
    printf '%s\n' "${DEBIAN_SOURCES[@]}" | sha256sum | cut -c1-12
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the named Debian packages that are missing, without recommends.
packages_install() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get -o DPkg::Lock::Timeout=600 install \
        -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Adds deb-src twins of the machine's own Debian entries when there are none yet.
sources_enable() {
    local list=/etc/apt/sources.list.d/debian.sources
    local twin=/etc/apt/sources.list.d/gyrel-deb-src.sources
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 0
    fi
    [ -f "$list" ] || { echo "no $list to add deb-src entries beside" >&2; return 1; }
    sed 's/^Types: deb$/Types: deb-src/' "$list" | as_root tee "$twin" >/dev/null
    as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
}

# Unpacks the upstream tarball of source package $1 (one of DEBIAN_SOURCES, by name) into the
# cache once and prints the folder it unpacked to. Builds running at once take turns.
source_unpack() {
    mkdir -p "$GYREL_CACHE"
    (
        flock 9
        source_unpack_locked "$1"
    ) 9>"$GYREL_CACHE/.sources.lock"
}

source_unpack_locked() {
    local name="$1" entry version="" downloads="$GYREL_CACHE/downloads"
    for entry in "${DEBIAN_SOURCES[@]}"; do
        [ "${entry%%=*}" = "$name" ] && version="${entry#*=}"
    done
    [ -n "$version" ] || { echo "unknown source package $name" >&2; return 1; }
    local upstream="${version#*:}"
    upstream="${upstream%-*}"
    local tree="$GYREL_CACHE/src/$name-$upstream"
    if [ ! -f "$tree/.unpacked" ]; then
        mkdir -p "$downloads" "$GYREL_CACHE/src"
        local tarball
        tarball=$(ls "$downloads/${name}_${upstream}.orig.tar."* 2>/dev/null | head -n 1)
        if [ -z "$tarball" ]; then
            sources_enable >&2
            (cd "$downloads" && apt-get source -qq --download-only \
                -o APT::Sandbox::User="$(id -un)" "$name=$version" >&2)
            tarball=$(ls "$downloads/${name}_${upstream}.orig.tar."* | head -n 1)
        fi
        rm -rf "$tree" && mkdir -p "$tree"
        tar -xf "$tarball" -C "$tree" --strip-components=1
        touch "$tree/.unpacked"
    fi
    echo "$tree"
}
