#!/usr/bin/env bash
# Builds Pindrel.exe and starts it under Wine, with an optional Kontakt file to hand over. Away
# from any display it runs on a virtual one, and each window it shows is printed here and answered.
set -euo pipefail
cd "$(dirname "$0")/.."
headless=true
[[ -z ${DISPLAY:-} ]] || headless=false
targets=(Pindrel)
if $headless; then
    targets+=(e2e_attendant)
fi
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target "${targets[@]}"
source scripts/wine.sh

# Wine's drive Z: is the root of this file system.
windows_path() {
    local path
    path=$(realpath "$1")
    printf '%s\n' "Z:${path//\//\\}"
}

args=()
if (($#)); then
    [[ -e $1 ]] || { echo "No such file: $1" >&2; exit 1; }
    args+=("$(windows_path "$1")")
fi

# On the user's own display a window manager frames the box, as Wine does by default. The virtual
# display started here has none, so its prefix tells Wine not to wait for one.
if $headless; then
    echo "No display: running on a virtual one (Xvfb); Pindrel's windows are printed here and answered."
    prefix=$PWD/build/windows/wineprefix-run-xvfb
    mode=unmanaged
else
    prefix=$PWD/build/windows/wineprefix-run
    mode=managed
fi
if [[ ! -d $prefix ]]; then
    echo "Setting up Wine (first run only)..."
    new_prefix "$prefix" "$mode" || { rm -rf "$prefix"; echo "Wine could not be set up." >&2; exit 1; }
fi

if ! $headless; then
    in_prefix "$prefix" "$wine" build/windows/bin/Pindrel.exe "${args[@]}"
    exit
fi
# Nobody sees the virtual display: the attendant starts Pindrel, prints and answers each of its
# windows, and ends with Pindrel's exit code. The Wine session ends before the display goes, so
# none of its programs is left behind to complain that the display went away.
in_prefix "$prefix" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" "$2" "${@:4}"
    status=$?
    "$3" -k
    exit $status' _ "$wine" build/windows/bin/e2e_attendant.exe "$wineserver" \
    "$(windows_path build/windows/bin/Pindrel.exe)" "${args[@]}"
