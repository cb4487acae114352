#!/usr/bin/env bash
# One command for the whole test run: install what is missing, build, run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
QUORIX_BUILD_DIR=build ./scripts/build.sh -DQUORIX_WERROR=ON
ctest --test-dir build --output-on-failure -j2
