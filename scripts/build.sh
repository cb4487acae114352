#!/usr/bin/env bash
# Configures and builds into build/ (or $QUORIX_BUILD_DIR) with extra CMake arguments passed through.
# QUORIX_TARGETS (space-separated) builds only those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUORIX_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${QUORIX_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
# shellcheck disable=SC2086 # the target list splits on blanks
cmake --build "$build_dir" -j2 ${QUORIX_TARGETS:+--target $QUORIX_TARGETS}
