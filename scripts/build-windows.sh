#!/usr/bin/env bash
# Builds Corvale for 64-bit Windows on this Debian machine and packs the zip a
# player unpacks and runs. Everything comes from Debian: the MinGW-w64 cross
# compiler and wine from its packages, and SDL2, SDL2_mixer, freetype,
# SDL2_ttf and googletest from its source packages, built once for Windows
# into a prefix in the cache folder
#   ${XDG_CACHE_HOME:-~/.cache}/corvale-windows/<their versions>
# which every later run reuses while the versions stand (about 20 minutes the
# first time on two cores, nothing after). The clips, their chart and the
# other languages' puzzles are the Linux build's own, made by the native
# clipgen and corvale-puzzle in build-windows/native/; the programs and tests
# are cross-built in build-windows/cross/.
#   scripts/build-windows.sh [deps|build|zip]   (all three by default)
# The time of each stage is printed as it ends and all of them at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
what=${1:-zip}
jobs=${CORVALE_JOBS:-2}
triple=x86_64-w64-mingw32
toolchain=$source/dist/windows/mingw-w64.cmake
out=$source/build-windows
# Raise when a library's build options below change, so a new prefix is made.
recipe=1

export CCACHE_DIR=${CCACHE_DIR:-/tmp/ccache} CCACHE_BASEDIR=$source

timings=()
started=$SECONDS
summary() {
    echo
    echo "== stage times (wall)"
    if [ ${#timings[@]} -gt 0 ]; then printf '%s\n' "${timings[@]}"; fi
    printf '%5d s  total\n' $((SECONDS - started))
}
trap summary EXIT
stage() {
    local name=$1 begun=$SECONDS
    shift
    echo "== $name"
    "$@"
    timings+=("$(printf '%5d s  %s' $((SECONDS - begun)) "$name")")
    echo "== $name: $((SECONDS - begun)) s"
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The cross compiler, wine to run the tests, dpkg-dev for `apt-get source`,
# zip, and what the native build of the clips needs.
packages() {
    scripts/install-deps.sh play
    local wanted=(g++-mingw-w64-x86-64-posix wine64 dpkg-dev zip xvfb xauth cmake ccache) missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    local update=""
    # `apt-get source` needs a deb-src entry: the same archive and suites the
    # machine's own packages come from.
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        local from=/etc/apt/sources.list.d/debian.sources
        if [ -f "$from" ]; then
            sed 's/^Types:.*/Types: deb-src/' "$from" | $sudo tee /etc/apt/sources.list.d/corvale-src.sources >/dev/null
        elif [ -f /etc/apt/sources.list ]; then
            grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
                $sudo tee /etc/apt/sources.list.d/corvale-src.list >/dev/null
        else
            echo "no apt source entry to copy for the source packages" >&2
            exit 1
        fi
        update=yes
    fi
    if [ ${#missing[@]} -gt 0 ] || [ -n "$update" ]; then
        $sudo apt-get update -q
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# The source packages built for Windows, in the order they need each other,
# each with the stage that builds it.
sources=(libsdl2:sdl2 libsdl2-mixer:mixer freetype:freetype libsdl2-ttf:ttf googletest:gtest
    flite:flite)
version() {
    apt-cache showsrc --only-source "$1" | awk '/^Version:/ { print $2 }' | sort -V | tail -n 1
}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/corvale-windows
prefix=$cache/$triple
work=$cache/work

# cmakelib NAME SOURCEDIR OPTION...: one library configured, built and
# installed into the prefix.
cmakelib() {
    local name=$1 dir=$2
    shift 2
    local build=$work/build-$name
    CORVALE_WINDOWS_PREFIX=$prefix cmake -S "$dir" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >"$build.log" 2>&1 ||
        { tail -n 30 "$build.log"; return 1; }
    cmake --build "$build" -j"$jobs" >>"$build.log" 2>&1 || { tail -n 30 "$build.log"; return 1; }
    cmake --install "$build" >>"$build.log" 2>&1 || { tail -n 30 "$build.log"; return 1; }
}
# The unpacked source folder of a source package.
unpacked() {
    find "$work/src" -mindepth 1 -maxdepth 1 -type d -name "$1-[0-9]*" | head -n 1
}

# fetch INDEX...: the source packages of those libraries, unpacked. Where
# the archive has lost a package's Debian part (flite's answers 404 at
# times), its upstream tarball, fetched first, is unpacked instead: the
# Debian part holds only packaging.
fetch() {
    mkdir -p "$work/src"
    local i p
    for i in "$@"; do
        p=${sources[$i]%%:*}
        (cd "$work/src" && apt-get source -q "$p" >>"$work/fetch.log" 2>&1) || true
        if [ -z "$(unpacked "$p")" ]; then
            local orig
            orig=$(find "$work/src" -maxdepth 1 -name "${p}_*.orig.tar.*" | head -n 1)
            [ -n "$orig" ] && tar -xf "$orig" -C "$work/src"
        fi
        [ -n "$(unpacked "$p")" ] || { tail -n 20 "$work/fetch.log"; echo "cannot fetch $p" >&2; return 1; }
    done
}
sdl2() {
    cmakelib sdl2 "$(unpacked libsdl2)" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
}
mixer() {
    # WAV and Ogg Vorbis only, the Vorbis decoder being the one SDL2_mixer
    # carries (stb_vorbis): no further library to build or ship.
    cmakelib mixer "$(unpacked libsdl2-mixer)" -DBUILD_SHARED_LIBS=ON -DSDL2MIXER_SAMPLES=OFF \
        -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_WAVE=ON \
        -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
        -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_CMD=OFF
}
freetype() {
    cmakelib freetype "$(unpacked freetype)" -DBUILD_SHARED_LIBS=ON -DFT_DISABLE_ZLIB=ON \
        -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
ttf() {
    cmakelib ttf "$(unpacked libsdl2-ttf)" -DBUILD_SHARED_LIBS=ON -DSDL2TTF_SAMPLES=OFF \
        -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF
}
gtest() {
    cmakelib gtest "$(unpacked googletest)" -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON
}

# Each library built leaves a stamp in the prefix naming its version and the
# recipe it was built with. A library whose stamp is there is not built
# again; when any stamp names another version or recipe, the prefix is made
# afresh, since the libraries are built against each other.
# flite: its own configure, which for MinGW names an i386 compiler and links
# shared; so the compiler is set afterwards, the C89 inline rules its headers
# assume are asked for, and its snprintf wrappers are made static so each
# file keeps its own. Only the libraries are built: the engine, the English
# lexicon and the four voices the game knows.
flite() {
    local dir
    dir=$(unpacked flite)
    (cd "$dir" && ./configure --host=$triple --with-audio=none --disable-shared >"$work/flite.log" 2>&1) ||
        { tail -n 30 "$work/flite.log"; return 1; }
    sed -i "s/^CC *=.*/CC = ccache $triple-gcc-posix/; s/i386-mingw32-/$triple-/g; s/ -shared / -fgnu89-inline /" \
        "$dir/config/config"
    sed -i 's/^__inline int c99_/static __inline int c99_/' "$dir/include/cst_file.h"
    local part
    for part in src lang/usenglish lang/cmulex lang/cmu_us_slt lang/cmu_us_kal lang/cmu_us_awb lang/cmu_us_rms; do
        CCACHE_NOHASHDIR=1 make -C "$dir/$part" -j"$jobs" >>"$work/flite.log" 2>&1 ||
            { tail -n 30 "$work/flite.log"; return 1; }
    done
    mkdir -p "$prefix/include/flite" "$prefix/lib"
    cp "$dir"/include/*.h "$prefix/include/flite/"
    cp "$dir"/build/*/lib/*.a "$prefix/lib/"
}

deps() {
    stage "packages" packages
    local wanted=() p
    for p in "${sources[@]}"; do
        wanted+=(".built-${p%%:*}-$(version "${p%%:*}")-r$recipe")
    done
    if [ -d "$prefix" ]; then
        for stamp in "$prefix"/.built-*; do
            [ -e "$stamp" ] || continue
            if ! printf '%s\n' "${wanted[@]}" | grep -qxF "$(basename "$stamp")"; then
                echo "== $(basename "$stamp") is out of date: the libraries are built afresh"
                rm -rf "$prefix"
                break
            fi
        done
    fi
    local missing=()
    for i in "${!sources[@]}"; do
        [ -f "$prefix/${wanted[$i]}" ] || missing+=("$i")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "== the Windows libraries are built already: $prefix"
        return
    fi
    mkdir -p "$prefix"
    rm -rf "$work"
    mkdir -p "$work"
    stage "fetch source packages" fetch "${missing[@]}"
    for i in "${missing[@]}"; do
        stage "${sources[$i]%%:*}" "${sources[$i]##*:}"
        touch "$prefix/${wanted[$i]}"
    done
    rm -rf "$work"
}

native() {
    cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_TESTS=OFF \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    cmake --build "$out/native" -j"$jobs" --target clips language_clips corvale_puzzles
}
cross() {
    CORVALE_WINDOWS_PREFIX=$prefix cmake -S . -B "$out/cross" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCORVALE_WERROR=ON -DCORVALE_TESTS=ON \
        -DCORVALE_NATIVE_GAME_DIR="$out/native/game" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    CORVALE_WINDOWS_PREFIX=$prefix cmake --build "$out/cross" -j"$jobs"
}
build() {
    stage "native clips and puzzles" native
    stage "cross-build" cross
}

zipped() {
    CORVALE_WINDOWS_PREFIX=$prefix cmake --build "$out/cross" --target windows_zip
}

deps
[ "$what" = deps ] && exit 0
build
[ "$what" = build ] && exit 0
stage "zip" zipped
