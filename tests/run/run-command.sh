#!/usr/bin/env bash
# The run command where no display is: each window of Pindrel is printed and answered, and the
# command ends with Pindrel's exit code instead of waiting for someone to click.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=false

repo=$PWD
source scripts/wine.sh

# Runs the run command with no display from the folder $1, never for longer than a generous
# limit; leaves its exit code in $status and what it printed after its "No display" line in
# $printed.
run_headless_from() {
    local folder=$1 all
    shift
    all=$(cd "$folder" && env -u DISPLAY timeout 180 bash "$repo/scripts/run.sh" "$@" </dev/null)
    status=$?
    printed=$(after_no_display <<<"$all")
}

after_no_display() {
    sed -n '/^No display: /,$p' | sed '1d; /^Setting up Wine (first run only)\.\.\.$/d'
}

run_headless() {
    run_headless_from "$repo" "$@"
}

# Names what went wrong in the case $1, with what the run command printed.
fail() {
    echo "$1: $2"
    echo "$1: printed, after the \"No display\" line (exit code $status):"
    printf '%s\n' "$printed" | sed 's/^/    | /'
    failed=true
}

# A forward header: the version's bytes ($2, as printf writes them) at 16..19, "Kon3" at 20.
kontakt_file() {
    { head -c 16 /dev/zero; printf "$2Kon3"; } >"$1"
}

lead="$work/Ström – Légato.nki"
kontakt_file "$lead" '\005\000\002\012'

case="a file"
run_headless "$lead"
if [[ $printed != 'Pindrel: Ström – Légato.nki is Kontakt Version 5.0.2.10' ]]; then
    fail "$case" "expected exactly one line: the box's caption, then its text"
elif ((status != 0)); then
    fail "$case" "expected exit code 0"
else
    echo "$case: ok"
fi

case="no file"
run_headless
mapfile -t lines <<<"$printed"
hint='Choosing a file needs a display, or the file given as an argument; the dialog is cancelled.'
kontakt_types=$(printf '%s\n' "${lines[@]}" | grep -F '  NI Kontakt ')
if [[ ${lines[0]} != 'Select a Kontakt file: open-file dialog, file types:' ]]; then
    fail "$case" "expected the open-file dialog's title first"
elif [[ $kontakt_types != $'  NI Kontakt Instrument (*.nki)\n  NI Kontakt Multi (*.nkm)\n  NI Kontakt Bank (*.nkb)' ]]; then
    fail "$case" "expected the three Kontakt file types, one to a line"
elif [[ ${lines[-1]} != "$hint" ]]; then
    fail "$case" "expected it to end by saying how a file can be chosen"
elif ((status != 0)); then
    fail "$case" "expected exit code 0"
else
    echo "$case: ok"
fi

# Names as the user types them, in a folder of the user's own.
mkdir -p "$work/music/sub"
kontakt_file "$work/music/sub/A.nki" '\006\000\003\001'
kontakt_file "$work/B.nki" '\007\000\001\000'
kontakt_file "$work/music/-dash.nki" '\005\000\002\012'
ln -s sub/A.nki "$work/music/link.nki"

case="relative names from another folder, in order"
run_headless_from "$work/music" sub/A.nki ../B.nki
if [[ $printed != $'Pindrel: A.nki is Kontakt Version 6.0.3.1\nPindrel: B.nki is Kontakt Version 7.0.1.0' ]]; then
    fail "$case" "expected a box for each file, in the order given"
elif ((status != 0)); then
    fail "$case" "expected exit code 0"
else
    echo "$case: ok"
fi

case="a name that begins with a dash, and a link"
run_headless_from "$work/music" -dash.nki link.nki
if [[ $printed != $'Pindrel: -dash.nki is Kontakt Version 5.0.2.10\nPindrel: link.nki is Kontakt Version 6.0.3.1' ]]; then
    fail "$case" "expected each file under the name given, the link under its own"
elif ((status != 0)); then
    fail "$case" "expected exit code 0"
else
    echo "$case: ok"
fi

case="options"
usage=$(cd "$work/music" && bash "$repo/scripts/run.sh" sub/A.nki --help </dev/null 2>&1)
usage_status=$?
printed=$(cd "$work/music" && bash "$repo/scripts/run.sh" -- --help </dev/null 2>&1)
status=$?
if [[ ${usage%%$'\n'*} != 'usage: bash scripts/run.sh [FILE...]' ]] || ((usage_status != 0)); then
    printed=$usage status=$usage_status
    fail "$case" "expected --help to say how the command is called, with exit code 0"
elif [[ $printed != 'No such file: --help' ]] || ((status != 1)); then
    fail "$case" "expected a name after -- to be a file's name, and exit code 1 when it is not there"
else
    echo "$case: ok"
fi

# Two people on one machine, say: each run ends with its own report, as a first or a second start
# of Pindrel, and neither ends the other's programs. The first is handed one file many times, so
# that it is still at work in Wine when the second starts.
case="two at once"
version='Pindrel: Ström – Légato.nki is Kontakt Version 5.0.2.10'
second_start='Pindrel: Pindrel.exe is already running. If you cannot see the app, please kill the process within Task Manager, as it is running in the background.'
many=()
for ((i = 0; i < 150; i++)); do
    many+=("$lead")
done
: >"$work/first"
(
    env -u DISPLAY timeout 180 bash scripts/run.sh "${many[@]}" </dev/null >"$work/first"
    echo $? >"$work/first.status"
) &
first_run=$!
while ! grep -q '^No display: ' "$work/first" && kill -0 "$first_run" 2>/dev/null; do
    sleep 0.1
done
run_headless "$lead"
wait
first=$(after_no_display <"$work/first")
if [[ $printed != "$version" && $printed != "$second_start" ]] || ((status != 0)); then
    fail "$case" "expected the second run to report its file, or a second start, and exit code 0"
else
    second=$printed
    printed=$first status=$(<"$work/first.status")
    if [[ $printed != "$(printf "$version%.0s\n" "${many[@]}")" && $printed != "$second_start" ]] ||
        ((status != 0)); then
        fail "$case" "expected the first run to report each file it was handed, or a second start, and exit code 0"
    elif [[ $printed == "$second_start" && $second == "$second_start" ]]; then
        fail "$case" "expected one of the two runs to report its file"
    else
        echo "$case: ok"
    fi
fi

# The attendant in front of the stand-in instead of Pindrel, on a copy of the run command's prefix
# and a virtual display of its own, as the run command does; leaves its exit code in $status and
# everything it printed in $printed.
cmake --build --preset windows --target e2e_standin >/dev/null || exit 1
cp -a build/windows/wineprefix-run-xvfb "$work/prefix"
standin=$(realpath build/windows/bin/e2e_standin.exe)
attend_standin() {
    printed=$(in_prefix "$work/prefix" env -u DISPLAY xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        timeout 120 "$1" "${@:3}"
        status=$?
        "$2" -k
        exit $status' _ "$wine" "$wineserver" build/windows/bin/e2e_attendant.exe \
        "Z:${standin//\//\\}" "$@" </dev/null 2>&1)
    status=$?
}

case="a program that showed nothing"
attend_standin exit 3
if [[ $printed != 'e2e_standin.exe showed nothing and ended with exit code 3.' ]]; then
    fail "$case" "expected a line that says so, with the exit code"
elif ((status != 3)); then
    fail "$case" "expected the program's exit code, 3"
else
    echo "$case: ok"
fi

# A debugger that nobody sees would keep the program, and the attendant would wait for it.
case="a program that crashed"
start=$SECONDS
attend_standin crash 0xC0000005
if [[ $printed != 'e2e_standin.exe crashed with exception 0xC0000005.' ]]; then
    fail "$case" "expected exactly one line, that it crashed, with the exception's code"
elif ((status != 134)); then
    fail "$case" "expected exit code 134"
elif ((SECONDS - start > 15)); then
    fail "$case" "expected it to be told at once, not after $((SECONDS - start)) s"
else
    echo "$case: ok"
fi

! $failed
