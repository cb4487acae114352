#!/usr/bin/env bash
# Configures and builds into build/ (or $QUORIX_BUILD_DIR) with extra CMake arguments passed through.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUORIX_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${QUORIX_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$build_dir" -j2
