#!/usr/bin/env bash
# The installed game as a player meets it. Installs into a temporary prefix
# (or makes the two Debian packages cpack makes, checks them with lintian and
# unpacks them), makes that tree read-only where the machine allows it, and
# starts the game from an unrelated folder with HOME and the XDG folders in a
# temporary home: puzzle 1 is played to its first saved digit, the pad must
# land in the state folder with the lock beside it, a second copy started
# with another runtime folder must end and leave the pad alone, and nothing under
# the tree may change. The desktop entry's command must leave the top of the
# home folder clean. Last, an install is uninstalled and must leave nothing.
#   installed.sh install|deb BUILD VERSION PACKAGEVERSION BINDIR DATADIR HELPERDIR
source "$(dirname "$0")/lib.sh"
mode=$1 build=$2 version=$3 packageversion=$4 bindir=$5 datadir=$6 helperdir=$7

# A private mount namespace lets the tree be bound read-only without
# touching the machine's own mounts.
if [ -z "${CORVALE_PRIVATE_MOUNTS:-}" ] && unshare -m true 2>/dev/null; then
    CORVALE_PRIVATE_MOUNTS=1 exec unshare -m bash "$0" "$@"
fi

work=$(mktemp -d /tmp/corvale-installed-XXXXXX)
# The build's list of what was installed on this machine is set aside while
# the test installs and uninstalls, and put back after.
installed=$build/installed-files.txt
[ ! -e "$installed" ] || mv "$installed" "$work/installed-files.txt"
trap 'stopgame; umount "$root" 2>/dev/null || true; rm -f "$installed";
    [ ! -e "$work/installed-files.txt" ] || mv "$work/installed-files.txt" "$installed"; rm -rf "$work"' EXIT
root=""

if [ "$mode" = install ]; then
    cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" ||
        fail "install failed: $(cat "$work/install.log")"
    root=$work/prefix
else
    package() { (cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" "$@") >"$work/cpack.log" 2>&1; }
    # A placeholder maintainer is refused before anything is staged.
    ! package -D "CPACK_DEBIAN_PACKAGE_MAINTAINER=Corvale developers <corvale@localhost>" &&
        grep -q CORVALE_PACKAGE_MAINTAINER "$work/cpack.log" ||
        fail "a package with a maintainer at localhost was made: $(cat "$work/cpack.log")"
    package -D "CPACK_DEBIAN_PACKAGE_MAINTAINER=Corvale Tests <tests@corvale.example.org>" ||
        fail "cpack failed: $(cat "$work/cpack.log")"
    deb=$work/pkg/corvale_${packageversion}_$(dpkg --print-architecture).deb
    datadeb=$work/pkg/corvale-data_${packageversion}_all.deb
    [ -f "$deb" ] && [ -f "$datadeb" ] || fail "cpack made: $(ls "$work/pkg")"
    depends=$(dpkg-deb -f "$deb" Depends)
    for dep in "corvale-data (= $packageversion)" libsdl2 libsdl2-mixer libespeak-ng; do
        grep -qF "$dep" <<<"$depends" || fail "the package does not depend on $dep: $depends"
    done
    echo "package $(basename "$deb"): Depends: $depends"
    # Every error and warning fails; the rest is shown.
    command -v lintian >/dev/null || fail "lintian is missing (scripts/install-deps.sh test)"
    lintian --pedantic --display-info "$deb" "$datadeb" >"$work/lintian.log" 2>&1 || true
    cat "$work/lintian.log"
    if grep -q '^[EW]: ' "$work/lintian.log"; then fail "lintian found errors or warnings"; fi
    dpkg-deb -x "$deb" "$work/tree"
    dpkg-deb -x "$datadeb" "$work/tree"
    root=$work/tree/usr
    # The desktop entry and metainfo as a software centre reads them, and the
    # icon both name, at each size its folder promises.
    appstreamcli validate-tree --pedantic --no-net "$work/tree" >"$work/appstream.log" 2>&1 ||
        fail "appstreamcli: $(cat "$work/appstream.log")"
    icon=$(sed -n 's/^Icon=//p' "$root/share/applications/corvale.desktop")
    grep -qF "<icon type=\"stock\">$icon</icon>" "$root"/share/metainfo/*.metainfo.xml ||
        fail "the metainfo does not name the desktop entry's icon \"$icon\""
    for size in 48 256; do
        png=$root/share/icons/hicolor/${size}x$size/apps/$icon.png
        file "$png" | grep -q "PNG image data, $size x $size" || fail "no $size px icon: $(file "$png")"
    done
    grep -q "<svg" "$root/share/icons/hicolor/scalable/apps/$icon.svg" || fail "no scalable icon"
fi
game=$root/$bindir/corvale
[ -x "$game" ] || fail "no program at $game"
[ -f "$root/$datadir/soundchart.txt" ] || fail "no clip chart in $root/$datadir"

# Every program says the one version; voxlet, the game's helper, lies
# apart from the programs a player runs.
for program in "$bindir/corvale" "$bindir/corvale-puzzle" "$helperdir/voxlet"; do
    said=$("$root/$program" --version) || fail "$program --version failed"
    [ "$said" = "$(basename "$program") $version" ] || fail "$program --version says \"$said\""
done
[ ! -e "$root/$bindir/voxlet" ] || fail "voxlet lies among the programs in $root/$bindir"

# The man pages are installed, compressed, and read without a warning.
pages=("$root"/share/man/man6/corvale.6.gz "$root"/share/man/man6/corvale-puzzle.6.gz)
for page in "${pages[@]}"; do
    warned=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot read $page"
    [ -z "$warned" ] || fail "$page: $warned"
done

if [ -n "${CORVALE_PRIVATE_MOUNTS:-}" ] && mount --bind "$root" "$root" 2>/dev/null &&
    mount -o remount,bind,ro "$root" 2>/dev/null; then
    echo "the installed tree is mounted read-only"
else
    umount "$root" 2>/dev/null || true
    echo "SKIPPED: making the installed tree read-only (a read-only bind mount was refused here);" \
        "it stays writable and is only compared before and after"
fi
snapshot() { (cd "$root" && find . -printf '%p %y %s %m %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }
snapshot >"$work/before"

# A player's home, and an unrelated folder to start from.
home=$work/home
mkdir -p "$home" "$work/elsewhere" "$work/run"
chmod 700 "$work/run"
unset XDG_STATE_HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
export HOME=$home XDG_RUNTIME_DIR=$work/run
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
state=$home/.local/state/corvale

start() {  # start FOLDER ARGS...: the installed game, waiting for its window
    local from=$1
    shift
    (cd "$from" && exec "$game" "$@" 2>>"$work/game.err") &
    gamepid=$!
    window=$(timeout 20 xdotool search --sync --all --pid "$gamepid" --name '^Corvale$' | head -n 1) ||
        fail "no window appeared: $(cat "$work/game.err")"
}

start "$work/elsewhere"
[ -e "$state/corvale.lock" ] || fail "no lock file beside the pads in $state"
[ ! -e "$work/run/corvale.lock" ] || fail "a lock file in XDG_RUNTIME_DIR"
sleep 1
press Tab Tab Return # puzzle 1, from the data folder: none lies in the working folder
sleep 2
press q
PRESS_GAP=1.5 press 7
[ -f "$state/scratch1.txt" ] || fail "no scratch pad in $state: $(ls -la "$state" 2>&1; cat "$work/game.err")"
mapfile -t pad < <(tr -d '\r' <"$state/scratch1.txt")
[ "${#pad[@]}" -eq 20 ] && [ "${pad[1]}" = 7 ] || fail "the saved pad is: ${pad[*]}"
# A second copy of the same player in another environment (as under su or
# sudo -u, with another runtime folder or none) shares the saves: it says the
# game is already running and ends, and the first copy's pad stays as it was.
mkdir -p "$work/run2"
chmod 700 "$work/run2"
# With no runtime folder, speech-dispatcher's client looks for its socket in
# the cache folder and makes that folder: kept out of the home checked below.
for runtime in "XDG_RUNTIME_DIR=$work/run2" "-u XDG_RUNTIME_DIR XDG_CACHE_HOME=$work/cache"; do
    # shellcheck disable=SC2086 # the environment's change is several words
    (cd "$work/elsewhere" && timeout 10 env $runtime "$game") >"$work/second.out" 2>&1 ||
        fail "a second copy ($runtime) did not end by itself cleanly: $(cat "$work/second.out")"
    # A display library's own note about a missing runtime folder is not ours.
    [ "$(grep -v "XDG_RUNTIME_DIR" "$work/second.out")" = "corvale: Corvale is already running" ] ||
        fail "a second copy ($runtime) said: $(cat "$work/second.out")"
done
kill -0 "$gamepid" 2>/dev/null || fail "the first copy ended: $(cat "$work/game.err")"
mapfile -t pad < <(tr -d '\r' <"$state/scratch1.txt")
[ "${pad[1]}" = 7 ] || fail "after a second copy the pad is: ${pad[*]}"
[ "$(cat "$work/elsewhere/myversion.txt")" = "$version"$'\r' ] ||
    fail "myversion.txt holds: $(od -c "$work/elsewhere/myversion.txt")"
press Escape Up Return # back to the main menu, and leave it through Exit
for _ in $(seq 50); do kill -0 "$gamepid" 2>/dev/null || break; sleep 0.1; done
wait "$gamepid" || fail "the game exited with status $?: $(cat "$work/game.err")"
gamepid=""

# The desktop entry's command, started in the home folder as a menu does.
exec_line=$(sed -n 's/^Exec=//p' "$root/share/applications/corvale.desktop")
read -r -a command <<<"$exec_line"
[ "${command[0]}" = corvale ] || fail "the desktop entry runs \"$exec_line\""
start "$home" "${command[@]:1}"
sleep 1
stopgame
[ -f "$state/myversion.txt" ] || fail "a desktop start wrote no myversion.txt into $state"
stray=$(cd "$home" && ls -A | grep -v '^\.local$' || true)
[ -z "$stray" ] || fail "a desktop start left this at the top of the home folder: $stray"

# Every language is installed, and a desktop that speaks German gets German.
for language in de es fr; do
    grep -qx "language=$language" "$root/$datadir/$language/voice.txt" ||
        fail "no $language set installed in $root/$datadir/$language"
done
(cd "$work/elsewhere" && exec env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=de_DE.UTF-8 \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/german.raw" "$game" 2>>"$work/game.err") &
gamepid=$!
timeout 20 xdotool search --sync --all --pid "$gamepid" --name '^Corvale$' >/dev/null ||
    fail "no window appeared under LANG=de_DE.UTF-8: $(cat "$work/game.err")"
sleep 2
stopgame
begins "$work/german.raw" "$root/$datadir/de/sounds/welcome.ogg" ||
    fail "the installed game did not greet in German under LANG=de_DE.UTF-8"

snapshot >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the installed tree changed"
if grep -v CRITICAL "$work/game.err" | grep -q .; then fail "the game reported: $(cat "$work/game.err")"; fi
echo "installed game played from $root: pad and lock in $state; a second copy ended; German under LANG=de_DE.UTF-8"

if [ "$mode" = install ]; then
    umount "$root" 2>/dev/null || true
    cmake --build "$build" --target uninstall >"$work/uninstall.log" ||
        fail "uninstall failed: $(cat "$work/uninstall.log")"
    left=$(cd "$root" && find . -type f -o -name '*corvale*')
    [ -z "$left" ] || fail "uninstall left: $left"
    echo "uninstalled: $(grep -c Removed "$work/uninstall.log") files and folders removed"
fi
