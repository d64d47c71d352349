#!/usr/bin/env bash
# The run command where no display is: each window of Pindrel is printed and answered, and the
# command ends with Pindrel's exit code instead of waiting for someone to click.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=false

# Runs the run command with no display, never for longer than a generous limit; leaves its exit
# code in $status and what it printed after its "No display" line in $printed.
run_headless() {
    local all
    all=$(env -u DISPLAY timeout 180 bash scripts/run.sh "$@" </dev/null)
    status=$?
    printed=$(sed -n '/^No display: /,$p' <<<"$all" | sed '1d; /^Setting up Wine (first run only)\.\.\.$/d')
}

# Names what went wrong in the case $1, with what the run command printed.
fail() {
    echo "$1: $2"
    echo "$1: printed, after the \"No display\" line (exit code $status):"
    printf '%s\n' "$printed" | sed 's/^/    | /'
    failed=true
}

# A forward header: the version's bytes at 16..19, "Kon3" at 20.
lead="$work/Ström – Légato.nki"
{ head -c 16 /dev/zero; printf '\005\000\002\012Kon3'; } >"$lead"

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

! $failed
