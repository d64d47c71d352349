#!/usr/bin/env bash
# Builds Pindrel.exe and starts it under Wine, with an optional Kontakt file to hand over.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pindrel

export WINEPREFIX="$PWD/build/windows/wineprefix-run" WINEDEBUG=-all LANG=C.UTF-8
wine=/usr/lib/wine/wine64
if [[ ! -d $WINEPREFIX ]]; then
    echo "Setting up Wine (first run only)..."
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # Let that Wine session end: the program's own must start on the display it is given.
    /usr/lib/wine/wineserver -w
fi
args=()
if (($#)); then
    [[ -e $1 ]] || { echo "No such file: $1" >&2; exit 1; }
    # Wine's drive Z: is the root of this file system.
    path=$(realpath "$1")
    args+=("Z:${path//\//\\}")
fi

if [[ -n ${DISPLAY:-} ]]; then
    "$wine" build/windows/bin/Pindrel.exe "${args[@]}"
else
    echo "No display: running on a virtual one (Xvfb)."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" build/windows/bin/Pindrel.exe "${args[@]}"
fi
