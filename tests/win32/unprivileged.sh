#!/usr/bin/env bash
# Runs the Windows cases that need a user whom permission bits stop, those whose names hold
# "Unprivileged": as nobody when the tests run as root, who passes every bit. Wine uses no prefix
# that another user owns, so that user makes its own, and the folder it may not search; the path
# of a file in that folder goes to the cases in PINDREL_UNSEARCHABLE_FILE.
# Usage: tests/win32/unprivileged.sh PINDREL_EXE TESTS_EXE...   (CTest runs it)
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$(dirname "$1")/.." && pwd)

as_user() {
    if ((EUID == 0)); then
        runuser -u nobody -- "$@"
    else
        "$@"
    fi
}

# The user works in a folder of its own under the build folder, which keeps its prefix from one
# run to the next; a clone in root's home shuts it out of there, and then a folder in /tmp serves.
# The programs are copied there for the same reason, Pindrel.exe beside the tests that start it.
work=$build/unprivileged
if ! as_user test -x "$build"; then
    work=$(mktemp -d /tmp/pindrel-unprivileged.XXXXXX) || exit 1
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work" && cp -f "$repo/scripts/wine.sh" "$@" "$work/" || exit 1
if ((EUID == 0)); then
    chown nobody: "$work" || exit 1
fi
cd "$work" || exit 1
tests=()
for program in "${@:2}"; do
    tests+=("${program##*/}")
done

# Run as the user, in its folder, on a display of its own: root's display and prefix stay root's.
as_user_part=$(
    cat <<'EOF'
source ./wine.sh
fresh_prefix "$PWD/prefix" unmanaged || { echo "Wine could not be set up."; exit 1; }
# Left by an earlier run: its owner may not empty it before it may search it again.
[[ ! -d files/locked ]] || chmod 0700 files/locked
rm -rf files && mkdir -p files/locked && : >files/locked/Lead.nki && chmod 0400 files/locked ||
    exit 1
unsearchable="Z:${PWD//\//\\}\\files\\locked\\Lead.nki"
status=0
for program in "$@"; do
    # To a file: a pipe would stay open in the programs that Wine starts beside the first one.
    in_prefix "$PWD/prefix" env PINDREL_UNSEARCHABLE_FILE="$unsearchable" \
        "$wine" "$program" --gtest_filter='*Unprivileged*' >output.txt 2>&1 || status=1
    cat output.txt
    # A filter that matches nothing passes.
    if ! grep -q '^\[       OK \]' output.txt; then
        echo "$program: no case whose name holds Unprivileged passed."
        status=1
    fi
done
in_prefix "$PWD/prefix" "$wineserver" -k
exit $status
EOF
)
as_user env -u DISPLAY -u XAUTHORITY HOME="$work" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$as_user_part" _ "${tests[@]}"
