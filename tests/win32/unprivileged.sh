#!/usr/bin/env bash
# Runs the Windows cases that need a user whom permission bits stop, those whose names hold
# "Unprivileged": as nobody when the tests run as root, who passes every bit. Wine uses no prefix
# that another user owns, so that user makes its own, and the folder it may not search.
# Usage: tests/win32/unprivileged.sh WINDOWS_TESTS_EXE   (CTest runs it)
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
tests=$1
build=$(cd "$(dirname "$tests")/.." && pwd)

as_user() {
    if ((EUID == 0)); then
        runuser -u nobody -- "$@"
    else
        "$@"
    fi
}

# The user works in a folder of its own under the build folder, which keeps its prefix from one
# run to the next; a clone in root's home shuts it out of there, and then a folder in /tmp serves.
work=$build/unprivileged
if ! as_user test -x "$build"; then
    work=$(mktemp -d /tmp/pindrel-unprivileged.XXXXXX) || exit 1
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work" && cp "$repo/scripts/wine.sh" "$tests" "$work/" || exit 1
if ((EUID == 0)); then
    chown nobody: "$work" || exit 1
fi
cd "$work" || exit 1

# Root's display and prefix stay root's.
as_user env -u DISPLAY -u XAUTHORITY HOME="$work" bash -c '
    source ./wine.sh
    fresh_prefix "$PWD/prefix" unmanaged || { echo "Wine could not be set up."; exit 1; }
    # Left by an earlier run: its owner may not empty it before it may search it again.
    [[ ! -d files/locked ]] || chmod 0700 files/locked
    rm -rf files && mkdir -p files/locked && : >files/locked/Lead.nki && chmod 0400 files/locked ||
        exit 1
    windows_path=Z:${PWD//\//\\}\\files\\locked\\Lead.nki
    output=$(in_prefix "$PWD/prefix" env PINDREL_UNSEARCHABLE_FILE="$windows_path" \
        "$wine" "$1" --gtest_filter="*Unprivileged*" 2>&1)
    status=$?
    in_prefix "$PWD/prefix" "$wineserver" -k
    printf "%s\n" "$output"
    # A filter that matches nothing passes.
    if ! grep -q "^\[       OK \]" <<<"$output"; then
        echo "No case whose name holds Unprivileged ran."
        exit 1
    fi
    exit $status' _ "${tests##*/}"
