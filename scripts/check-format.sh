#!/usr/bin/env bash
# Fails, printing the difference, when a tracked C++ file is not laid out as .clang-format says.
# The layout is the one Debian's clang-format gives, which setup.sh installs.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

formatter=$(command -v clang-format) || { echo "clang-format is not installed." >&2; exit 1; }
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
((${#files[@]})) || { echo "No C++ files found: is this a git checkout?" >&2; exit 1; }

# One call finds out whether any file differs; only then is each one laid beside its own.
if "$formatter" --style=file --dry-run --Werror "${files[@]}" 2>/dev/null; then
    echo "All ${#files[@]} C++ files are laid out as .clang-format says."
    exit 0
fi
differing=0
for file in "${files[@]}"; do
    if ! "$formatter" --style=file "$file" | diff -u --label "$file" --label "$file (clang-format)" \
        "$file" -; then
        differing=$((differing + 1))
    fi
done
if ((differing)); then
    echo "$differing of ${#files[@]} C++ files differ from clang-format; 'clang-format -i FILE' lays one out."
    exit 1
fi
echo "clang-format failed without showing a difference; run it on the files by hand to see why." >&2
exit 1
