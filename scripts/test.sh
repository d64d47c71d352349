#!/usr/bin/env bash
# Builds everything and runs every test: the host tests, the Windows tests and end-to-end runs of
# Pindrel.exe under Wine, and a bounded fuzzing run of the version reader.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

failed=()
step() {
    local name=$1
    shift
    echo "== $name"
    "$@" || failed+=("$name")
}

step "host build" bash -c 'cmake --preset host >/dev/null && cmake --build --preset host'
step "host tests" ctest --preset host

windows_tests() {
    export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all LANG=C.UTF-8
    rm -rf "$WINEPREFIX"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
        ctest --preset windows
        status=$?
        /usr/lib/wine/wineserver -k
        exit $status'
}
step "windows build" bash -c 'cmake --preset windows >/dev/null && cmake --build --preset windows'
step "windows tests" windows_tests

if [[ -f tests/fuzz/CMakeLists.txt ]]; then
    step "fuzz build" bash -c 'cmake --preset fuzz >/dev/null && cmake --build --preset fuzz'
    step "fuzz run" bash tests/fuzz/run.sh build/fuzz
fi

if ((${#failed[@]})); then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All builds and tests passed."
