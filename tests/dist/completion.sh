#!/usr/bin/env bash
# completion.sh FILE: what the generated quorixctl completion offers at a few cursor positions.
set -u # not -e: compopt fails outside a real completion, as it may
# shellcheck disable=SC1090
source "$1"
cd "$(mktemp -d)" && head -c 76 /dev/zero >weekly.ini
status=0
expect() { # WANTED WORD...: the words of the line, the cursor on the last one
    local want=$1
    shift
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1))
    _quorixctl
    [ "${COMPREPLY[*]}" = "$want" ] || { echo "$*<TAB>: '${COMPREPLY[*]}', expected '$want'"; status=1; }
}
expect "device diff" quorixctl d
expect "--system --weekly --raw --help" quorixctl set --
expect "weekly.ini" quorixctl show w
expect "Contrast=" quorixctl set --system x.ini Con
expect "" quorixctl set weekly.ini Hid
expect "Hidden56=" quorixctl set --raw weekly.ini Hid
expect "UserName=" quorixctl set --system x.ini User
expect "UserName= UserNameBytes=" quorixctl device set --raw User
expect "device" quorixctl check dev
expect "AlarmEntry[3].Hour=" quorixctl device set Contrast = 9 'AlarmEntry[3].H'
expect "" quorixctl device set Contrast = ''
expect "put get remove" quorixctl sounds ''
expect "--track --transpose --legato" quorixctl melody import --
rm -r "$PWD"
exit $status
