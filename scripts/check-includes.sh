#!/usr/bin/env bash
# Fails with one line per offence when a file under src/ includes a header of a folder above
# its own, or when the core includes Qt. The order, bottom up:
#   core < platform < devicelink < settings < gui, cli   (gui and cli never include each other)
set -euo pipefail
cd "$(dirname "$0")/../src"

rank() {
    case "$1" in
    core) echo 0 ;; platform) echo 1 ;; devicelink) echo 2 ;; settings) echo 3 ;;
    gui | cli) echo 4 ;; *) echo 99 ;;
    esac
}

status=0
while IFS= read -r file; do
    folder=${file%%/*}
    own=$(rank "$folder")
    while IFS= read -r line; do
        target=$(sed -E 's/^#include "([^"]+)".*/\1/' <<<"$line")
        [[ $target == */* ]] || continue
        to=${target%%/*}
        if [[ $to != "$folder" && ($(rank "$to") -ge $own) ]]; then
            echo "src/$file: includes \"$target\", but $to is not below $folder"
            status=1
        fi
    done < <(grep -E '^#include "' "$file" || true)
    if [[ $folder == core ]] && grep -qE '^#include <Q' "$file"; then
        echo "src/$file: the core includes Qt ($(grep -m1 -E '^#include <Q' "$file"))"
        status=1
    fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)
exit $status
