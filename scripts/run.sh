#!/usr/bin/env bash
# Builds Pindrel.exe and starts it under Wine, with an optional Kontakt file to hand over.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pindrel

export WINEPREFIX="$PWD/build/windows/wineprefix-run" WINEDEBUG=-all LANG=C.UTF-8
wine=/usr/lib/wine/wine64
[[ -d $WINEPREFIX ]] || { echo "Setting up Wine (first run only)..."; "$wine" wineboot -i >/dev/null 2>&1 || true; }
args=()
if (($#)); then
    [[ -e $1 ]] || { echo "No such file: $1" >&2; exit 1; }
    args+=("$("$wine" winepath -w "$(realpath "$1")")")
fi

if [[ -n ${DISPLAY:-} ]]; then
    "$wine" build/windows/bin/Pindrel.exe "${args[@]}"
else
    echo "No display: running on a virtual one (Xvfb)."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" build/windows/bin/Pindrel.exe "${args[@]}"
fi
