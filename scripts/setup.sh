#!/usr/bin/env bash
# Installs whatever this machine lacks for building and testing Pindrel (Debian, as root).
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev libgmock-dev googletest
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine64 xvfb xauth
    clang clang-format
    unicode-data
)

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
updated=false

install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    if ! $updated; then
        "${sudo_cmd[@]}" apt-get update -q
        updated=true
    fi
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}" </dev/null
}

install_missing "${packages[@]}"

# The sanitizer and fuzzer runtimes come in one package for each clang release; the fuzzing build
# needs the one that belongs to the default clang, the clang-N that its package depends on.
depends=$(dpkg-query -W -f='${Depends}' clang)
if [[ ! $depends =~ clang-([0-9]+) ]]; then
    echo "setup: cannot tell which clang release the default clang is (depends: $depends)" >&2
    exit 1
fi
install_missing "libclang-rt-${BASH_REMATCH[1]}-dev"
