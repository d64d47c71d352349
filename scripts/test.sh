#!/usr/bin/env bash
# Builds everything and runs every test: the layout of the C++ files, the host tests, the Windows
# tests and end-to-end runs of Pindrel.exe under Wine, the run command with no display, and a
# bounded fuzzing run of the version reader.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
source scripts/wine.sh

failed=()
step() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@" || failed+=("$name")
    echo "-- $name: $((SECONDS - start)) s"
}

step "format" bash scripts/check-format.sh
step "host build" bash -c 'cmake --preset host >/dev/null && cmake --build --preset host'
step "host tests" ctest --preset host

# A new prefix for every run, on a virtual display of its own; its Wine session ends with the tests.
windows_tests() {
    local prefix=$PWD/build/windows/wineprefix
    fresh_prefix "$prefix" unmanaged || { echo "Wine could not be set up."; return 1; }
    in_prefix "$prefix" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        ctest --preset windows
        status=$?
        "$1" -k
        exit $status' _ "$wineserver"
}
step "windows build" bash -c 'cmake --preset windows >/dev/null && cmake --build --preset windows'
step "windows tests" windows_tests
# The run command as on a machine with no display: a container, an SSH session, CI.
step "run command" bash tests/run/run-command.sh

step "fuzz build" bash -c 'cmake --preset fuzz >/dev/null && cmake --build --preset fuzz'
step "fuzz run" bash tests/fuzz/run.sh build/fuzz

if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All builds and tests passed."
