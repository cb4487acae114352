#!/usr/bin/env bash
# One command for a newcomer: install what is missing, build, write the demo device (and a demo
# suite) under build/demo, and start Quorix on the demo device with its own installation, as on a
# machine without the device maker's Windows suite. --suite starts it on the demo suite instead.
# Other arguments go to quorix.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
suite=0
if [ "${1:-}" = --suite ]; then
    suite=1
    shift
fi
QUORIX_TARGETS="quorix quorixctl quorix_mkdemo quorix_factory_files" ./scripts/build.sh

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

export TAVION_DEVICE_ROOT="$demo/device"
export XDG_CONFIG_HOME="$demo/config"
export XDG_CACHE_HOME="$demo/cache"
export XDG_DATA_HOME="$demo/data"
if [ $suite = 1 ]; then
    export WINEPREFIX="$demo/wineprefix"
    echo "Starting Quorix on the demo (suite in $WINEPREFIX, device in $TAVION_DEVICE_ROOT)"
else
    export WINEPREFIX="$demo/no-wine" # a prefix that does not exist: no suite
    echo "Starting Quorix on the demo device in $TAVION_DEVICE_ROOT, without a suite"
fi
exec ./build/src/gui/quorix "$@"
