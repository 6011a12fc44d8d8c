#!/usr/bin/env bash
# Installs the Debian packages Corvale needs that are not there yet.
#   install-deps.sh play   what building and playing needs
#   install-deps.sh test   that, and what the tests need
#   install-deps.sh bench  that, and what the benchmarks need
set -euo pipefail

packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfontconfig-dev
    fonts-dejavu-core libespeak-ng-dev espeak-ng flite1-dev libvorbis-dev
    # SDL's message box under X draws with the X server's own core fonts; without
    # them the box of a failure cannot come up (the failure is still spoken).
    xfonts-base)
if [ "${1:-play}" = test ] || [ "${1:-play}" = bench ]; then
    packages+=(googletest libgtest-dev libgmock-dev xvfb xauth xdotool x11-apps x11-utils sox procps
        clang libclang-rt-14-dev)
    # The installed game and its packages: cpack's dependency scan (dpkg-dev,
    # file), lintian, the validators of the desktop entry, metainfo and man
    # pages, and flock/unshare for the lock and read-only install tests.
    packages+=(dpkg-dev file lintian desktop-file-utils appstream groff-base man-db util-linux)
    # A private speech-dispatcher for the tests of the speech-server voice; its
    # header lets the build check the few declarations the game keeps of it.
    packages+=(speech-dispatcher speech-dispatcher-espeak-ng libspeechd-dev)
fi
# pocketsphinx: the offline recogniser bench/voices.sh judges voices with; no
# test needs it, so the test machine does not fetch its large model.
if [ "${1:-play}" = bench ]; then
    packages+=(pocketsphinx pocketsphinx-en-us)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
# Only what is listed and what it depends on: the packages' recommendations
# (LLVM's development files beside clang, X fonts, sound icons, ...) would
# double what a test machine fetches, and nothing here uses them.
recommends=()
[ "${1:-play}" = play ] || recommends=(--no-install-recommends)
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${recommends[@]}" "${missing[@]}"
