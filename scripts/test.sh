#!/usr/bin/env bash
# One command for the whole test run: install what is missing, check the include order and the
# formatting, build and run every test, make and check the Debian package; build the layers below
# the window without Qt Widgets; then the same suite once more built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/). QUORIX_SKIP_SANITIZE=1 leaves that last run out.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-includes.sh
./scripts/check-format.sh

QUORIX_BUILD_DIR=build ./scripts/build.sh -DQUORIX_WERROR=ON
ctest --test-dir build --output-on-failure -j2
QUORIX_BUILD_DIR=build ./scripts/package.sh

# Everything but the window, with no Qt Widgets found or linked.
QUORIX_BUILD_DIR=build-nogui ./scripts/build.sh -DQUORIX_WERROR=ON -DQUORIX_GUI=OFF
if ldd build-nogui/src/cli/quorixctl | grep -q Qt6Widgets; then
    echo "build-nogui: quorixctl links Qt Widgets" >&2
    exit 1
fi
ctest --test-dir build-nogui --output-on-failure -j2

if [ "${QUORIX_SKIP_SANITIZE:-0}" != 1 ]; then
    # Without -Werror: gcc warns differently once the sanitizers instrument the code.
    QUORIX_BUILD_DIR=build-asan ./scripts/build.sh -DQUORIX_SANITIZE=ON
    # Leak checks are off: Qt, fontconfig and the X libraries keep allocations until exit.
    ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:abort_on_error=1" \
    UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
        ctest --test-dir build-asan --output-on-failure -j2
fi
