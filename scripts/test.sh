#!/usr/bin/env bash
# Installs what is missing, builds Corvale with GCC and warnings as errors
# and runs every test; builds it again with clang, AddressSanitizer,
# UndefinedBehaviorSanitizer and the fuzz targets (beside the first tests, at
# the lowest priority) and runs the tests a second time, the fuzz targets
# among them for a short while each, so the tree stays clean under both
# compilers. Each build has a folder of its own
# (build-test/, build-asan/), so the game folder scripts/play.sh plays from,
# build/game/, is never reconfigured by this; scripts/fuzz.sh fuzzes longer
# in build-fuzz/. The time of each stage is printed as it ends and all of
# them again at the end.
#   scripts/test.sh [FUZZ-SECONDS]   (each fuzz target's run, 10 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
fuzzseconds=${1:-10}

timings=()
current=""
started=$SECONDS
summary() {
    echo
    echo "== stage times (wall; CPU of all its processes, which on a busy machine tells more)"
    if [ ${#timings[@]} -gt 0 ]; then printf '%s\n' "${timings[@]}"; fi
    if [ -n "$current" ]; then echo "stopped in: $current"; fi
    printf '%5d s  total\n' $((SECONDS - started))
}
# cpuseconds: sets cpu to the CPU time, user and system, of every process this script
# has waited for so far. `times` runs here, not in a subshell, whose
# children are its own.
cputimes=$(mktemp)
trap 'summary; rm -f "$cputimes"' EXIT
cpuseconds() {
    times >"$cputimes"
    cpu=$(tail -n 1 "$cputimes" |
        awk '{ s = 0; for (i = 1; i <= 2; i++) { split($i, t, "m"); s += t[1] * 60 + t[2] } printf "%d", s }')
}
# stage NAME COMMAND...: runs one stage and notes how long it took.
stage() {
    local name=$1 begun=$SECONDS cpu cpubegun
    shift
    cpuseconds
    cpubegun=$cpu
    echo "== $name"
    current=$name
    "$@"
    current=""
    cpuseconds
    cpu=$((cpu - cpubegun))
    timings+=("$(printf '%5d s  (CPU %5d s)  %s' $((SECONDS - begun)) "$cpu" "$name")")
    echo "== $name: $((SECONDS - begun)) s, CPU $cpu s"
}

plain() {
    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_WERROR=ON -DCORVALE_TESTS=ON
    cmake --build build-test -j2
}
sanitized() {
    # A folder configured with another compiler is made afresh: CMake does
    # not change the compiler of a configured folder.
    if [ -f build-asan/CMakeCache.txt ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang' build-asan/CMakeCache.txt; then
        rm -rf build-asan
    fi
    # -O1 keeps every check of the sanitizers and runs the tests several
    # times faster than -O0; line tables are all a sanitizer's report needs
    # and build quicker than full debug information. The fuzz targets are
    # built here too, with the same sanitizers, so a third build is not needed.
    CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-gline-tables-only -O1" \
        -DCORVALE_WERROR=ON -DCORVALE_SANITIZE=ON -DCORVALE_TESTS=ON \
        -DCORVALE_FUZZ=ON -DCORVALE_FUZZ_SECONDS="$fuzzseconds"
    cmake --build build-asan -j2
}

# killtree PID: ends the process and every process under it. Each is
# stopped before its children are looked up, so it cannot start another
# meanwhile.
killtree() {
    local child
    kill -STOP "$1" 2>/dev/null || true
    for child in $(pgrep -P "$1"); do killtree "$child"; done
    kill -TERM "$1" 2>/dev/null || true
    kill -CONT "$1" 2>/dev/null || true
}

# plaintests: runs the plain build's tests while the sanitizers' build is
# compiled beside them at the lowest priority. The tests leave more than
# half the machine idle (the end-to-end tests mostly wait for the game to
# speak), and at nice 19 the compiler takes only what they leave, so the
# one-second bounds some of them hold the game to are not disturbed.
plaintests() {
    local asanlog=build-asan.log builder status=0
    (renice -n 19 "$BASHPID" >/dev/null && sanitized) >"$asanlog" 2>&1 &
    builder=$!
    # Four tests at a time on two cores: the end-to-end tests spend most of
    # their time waiting for the game to speak, each with an X server of its own.
    (cd build-test && ctest --output-on-failure -j4 --timeout 300) || status=$?
    if [ $status -ne 0 ]; then
        # The whole tree: a compiler left running would go on writing
        # build-asan/ while the next run builds there.
        killtree "$builder"
        wait "$builder" 2>/dev/null || true
        return $status
    fi
    echo "== the sanitizers' build, begun beside the tests (its log: $asanlog)"
    wait "$builder" || { tail -n 60 "$asanlog"; echo "the sanitizers' build failed; its log: $asanlog"; return 1; }
    tail -n 3 "$asanlog"
}

stage "install deps" scripts/install-deps.sh test
stage "configure+build plain (GCC)" plain
stage "test plain, beside configure+build asan (clang)" plaintests
stage "test asan, fuzz ${fuzzseconds} s a target" bash -c 'cd build-asan && ctest --output-on-failure -j4 --timeout 600'
