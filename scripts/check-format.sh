#!/usr/bin/env bash
# Fails when a C++ file differs from what the checked-in .clang-format makes of it.
# `cmake --build build --target format` fixes them all.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
