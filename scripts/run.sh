#!/usr/bin/env bash
# Builds Pindrel.exe and starts it under Wine, with an optional Kontakt file to hand over.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pindrel
source scripts/wine.sh

args=()
if (($#)); then
    [[ -e $1 ]] || { echo "No such file: $1" >&2; exit 1; }
    # Wine's drive Z: is the root of this file system.
    path=$(realpath "$1")
    args+=("Z:${path//\//\\}")
fi

# On the user's own display a window manager frames the box, as Wine does by default. The virtual
# display started here has none, so its prefix tells Wine not to wait for one.
if [[ -n ${DISPLAY:-} ]]; then
    prefix=$PWD/build/windows/wineprefix-run
    mode=managed
    display=()
else
    echo "No display: running on a virtual one (Xvfb)."
    prefix=$PWD/build/windows/wineprefix-run-xvfb
    mode=unmanaged
    display=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
if [[ ! -d $prefix ]]; then
    echo "Setting up Wine (first run only)..."
    new_prefix "$prefix" "$mode" || { rm -rf "$prefix"; echo "Wine could not be set up." >&2; exit 1; }
fi
in_prefix "$prefix" "${display[@]}" "$wine" build/windows/bin/Pindrel.exe "${args[@]}"
