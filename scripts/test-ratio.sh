#!/usr/bin/env bash
# Prints the non-blank lines of the tests against those of the code (src/, tools/, bench/,
# fuzz/): C++, CMake and shell files; the fuzz corpus is data and does not count.
# Exits 1 when the ratio is above 0.33.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    git ls-files -- "$@" | grep -E '\.(cpp|h|sh|cmake)$|CMakeLists\.txt$' | grep -v '/fuzz-corpus/' |
        xargs cat | grep -cv '^[[:space:]]*$'
}
tests=$(count tests)
code=$(count src tools bench fuzz)
awk -v t="$tests" -v c="$code" 'BEGIN {
    r = t / c
    printf "tests %d / code %d = %.3f (at most 0.33)\n", t, c, r
    exit r > 0.33
}'
