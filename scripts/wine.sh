# Where Wine is on this machine and how to make a prefix for it; sourced by test.sh, run.sh and
# wine-run. Nothing here is exported: callers hand Wine its variables one command at a time, so
# whatever they run afterwards sees none of them.

if ! wine=$(command -v wine || command -v wine64); then
    wine=/usr/lib/wine/wine64
fi
# The wineserver that belongs to that wine: on the search path beside a packaged `wine`, otherwise
# in the same folder.
if ! wineserver=$(command -v wineserver); then
    wineserver=${wine%/*}/wineserver
fi

# Runs a command with Wine's variables for the prefix $1: quiet unless the caller asked for a
# trace, and in the locale that the programs' UTF-8 output is read in.
in_prefix() {
    local prefix=$1
    shift
    WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} LANG=C.UTF-8 "$@"
}

# Makes a new prefix at $1. With "unmanaged" as $2, Wine's X11 driver keeps its windows to itself
# instead of handing them to a window manager: a bare X server such as Xvfb has none, and the
# driver would wait two seconds for one each time a window goes away.
new_prefix() {
    local prefix=$1 mode=${2:-managed}
    rm -rf "$prefix"
    # Away from any display, Wine shows no progress window, which would cost that wait too.
    in_prefix "$prefix" env -u DISPLAY "$wine" wineboot -i >/dev/null 2>&1 || return
    if [[ $mode == unmanaged ]]; then
        in_prefix "$prefix" env -u DISPLAY \
            "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return
    fi
    # End that session now rather than waiting for its services to wind down: the first program
    # run afterwards then starts Wine's desktop on the display that program is given.
    in_prefix "$prefix" "$wineserver" -k 2>/dev/null || true
}

# Gives $1 a new prefix in a fraction of a second: a copy of one that this Wine made with these
# settings, made again whenever the Wine release or this file changes.
fresh_prefix() {
    local prefix=$1 mode=${2:-managed}
    local template=$prefix-template recipe
    recipe="$("$wine" --version) $mode $(sha256sum <"${BASH_SOURCE[0]}")"
    if [[ $(cat "$template.recipe" 2>/dev/null) != "$recipe" ]]; then
        rm -f "$template.recipe"
        new_prefix "$template" "$mode" || return
        printf '%s\n' "$recipe" >"$template.recipe"
    fi
    rm -rf "$prefix"
    cp -a "$template" "$prefix"
}
