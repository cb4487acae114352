#!/usr/bin/env bash
# options.sh QUORIX QUORIXCTL: options are answered without a display; with neither the suite nor
# Quorix's own factory files both programs end with one line on standard error, in the same words,
# and status 3. Copies of the programs, away from the build tree, have no factory files.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
check() { # STATUS STREAM PROGRAM ARG...: the exit status and the one stream (out or err) written
    local want=$1 stream=$2 other=err got
    [ "$stream" = err ] && other=out
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM WINEPREFIX="$work/none" \
        XDG_RUNTIME_DIR="$work" "$@" >"$work/out" 2>"$work/err"
    got=$?
    if [ "$got" != "$want" ] || [ ! -s "$work/$stream" ] || [ -s "$work/$other" ]; then
        echo "$* exited $got, expected $want and text on std$stream:" && cat "$work/out" "$work/err"
        status=1
    fi
}
check 0 out "$1" --version
check 0 out "$1" --help
check 2 err "$1" --frobnicate
check 2 err "$1" stray
check 0 out "$2" --version
check 0 out "$2" help set
check 0 out "$2" set --help
check 2 err "$2" help nosuch
mkdir "$work/bin" && cp "$1" "$2" "$work/bin/"
check 3 err "$work/bin/$(basename "$2")" paths
sed 's/^quorixctl: //' "$work/err" >"$work/paths.err"
check 3 err "$work/bin/$(basename "$1")" -platform offscreen
[ "$(sed 's/^quorix: //' "$work/err")" = "$(cat "$work/paths.err")" ] ||
    { echo "quorix and quorixctl paths word the missing suite differently"; status=1; }
exit $status
