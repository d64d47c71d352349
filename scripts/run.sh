#!/usr/bin/env bash
# Builds Pindrel.exe and starts it under Wine, with the Kontakt files to hand over, in order. Away
# from any display it runs on a virtual one, and each window it shows is printed here and answered.
set -euo pipefail

usage() {
    cat <<'EOF'
usage: bash scripts/run.sh [FILE...]

Builds Pindrel.exe and starts it under Wine with each FILE handed over, in the order given.
Without a display, each window that Pindrel shows is printed here and answered, and the command
ends with Pindrel's exit code.

  -h, --help   print this and exit
  --           every argument after it is a file, even -h or --help
EOF
}

# Wine's drive Z: is the root of this file system: the absolute paths $@ as Windows writes them,
# left in `windows`.
windows_paths() {
    windows=("${@/#/Z:}")
    windows=("${windows[@]//\//\\}")
}

# Names are the user's: each is taken from the folder the command was started in, before
# anything else moves, and made absolute without resolving a link, so that Pindrel reports the
# name that was given.
names=()
missing=false
options=true
for name in "$@"; do
    if $options; then
        case $name in
        -h | --help)
            usage
            exit 0
            ;;
        --)
            options=false
            continue
            ;;
        esac
    fi
    # A link that leads nowhere is there all the same; Pindrel says what became of it.
    if [[ ! -e $name && ! -L $name ]]; then
        echo "No such file: $name" >&2
        missing=true
    fi
    names+=("$name")
done
! $missing || exit 1
files=()
if ((${#names[@]})); then
    mapfile -d '' -t paths < <(realpath --zero --no-symlinks --canonicalize-missing -- "${names[@]}")
    windows_paths "${paths[@]}"
    files=("${windows[@]}")
fi

cd "$(dirname "$0")/.."
headless=true
[[ -z ${DISPLAY:-} ]] || headless=false
targets=(Pindrel)
if $headless; then
    targets+=(e2e_attendant)
fi
bash scripts/setup.sh
source scripts/wine.sh
mkdir -p build/windows

# Runs started together take turns: at the build and at setting Wine up, which share folders, and
# without a display at the whole run, since a run ends its Wine session, and with it every program
# in the prefix, when it is done. The lock goes when the command ends; no Wine program is handed
# it, so none that outlives the command keeps the next run waiting.
exec {lock}>build/windows/run.lock
flock "$lock"

# CMake's progress is held back while every target is already built; the first line of real work
# brings it out, and a failure shows the build in full.
cmake --preset windows >/dev/null
cmake --build --preset windows --target "${targets[@]}" 2>&1 | awk '
    !loud && /^\[ *[0-9]+%\] Built target / { held = held $0 "\n"; next }
    !loud { printf "%s", held; loud = 1 }
    { print; fflush() }'

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
    new_prefix "$prefix" "$mode" {lock}>&- || { rm -rf "$prefix"; echo "Wine could not be set up." >&2; exit 1; }
fi

if ! $headless; then
    flock --unlock "$lock"
    in_prefix "$prefix" "$wine" build/windows/bin/Pindrel.exe "${files[@]}" {lock}>&-
    exit
fi

# Nobody sees the virtual display: the attendant starts Pindrel, prints and answers each of its
# windows, and ends with Pindrel's exit code. The Wine session ends before the display goes, so
# none of its programs is left behind to complain that the display went away.
windows_paths "$(realpath build/windows/bin/Pindrel.exe)"
in_prefix "$prefix" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" "$2" "${@:4}"
    status=$?
    "$3" -k
    exit $status' _ "$wine" build/windows/bin/e2e_attendant.exe "$wineserver" \
    "${windows[0]}" "${files[@]}" {lock}>&-
