#!/usr/bin/env bash
# One command for a newcomer: install what is missing, build, write the demo suite and demo
# device under build/demo, and start Quorix on them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
QUORIX_TARGETS="quorix quorixctl quorix_mkdemo" ./scripts/build.sh

demo="$PWD/build/demo"
./build/tools/quorix_mkdemo "$demo"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    cat >&2 <<MSG
Quorix is built and the demo is ready, but there is no display to show its window on
(neither DISPLAY nor WAYLAND_DISPLAY is set). Run this command from a desktop session,
or start it on a virtual display with:  xvfb-run -a ./scripts/demo.sh
MSG
    exit 1
fi

export WINEPREFIX="$demo/wineprefix"
export TAVION_DEVICE_ROOT="$demo/device"
export XDG_CONFIG_HOME="$demo/config"
echo "Starting Quorix on the demo (suite in $WINEPREFIX, device in $TAVION_DEVICE_ROOT)"
exec ./build/src/gui/quorix "$@"
