#!/usr/bin/env bash
# completion.sh COMPLETION-FILE: sources the generated quorixctl completion and checks what it
# offers at a few cursor positions.
set -uo pipefail # not -e: compopt fails outside a real completion, as it may
# shellcheck disable=SC1090
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
head -c 76 /dev/zero >weekly.ini

status=0
# expect WANTED WORD...: the words are the command line, the last one under the cursor.
expect() {
    local want=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _quorixctl
    if [ "${COMPREPLY[*]}" != "$want" ]; then
        echo "$*<TAB> offered '${COMPREPLY[*]}', expected '$want'"
        status=1
    fi
}
expect "device diff" quorixctl d
expect "show set find" quorixctl device ''
expect "--system --weekly --help" quorixctl set --
expect "weekly.ini" quorixctl show w
expect "Contrast=" quorixctl set --system x.ini Con
expect "Hidden56=" quorixctl set weekly.ini Hid
expect "AlarmEntry[3].Hour=" quorixctl device set Contrast = 9 'AlarmEntry[3].H'
expect "" quorixctl device set Contrast = ''
exit $status
