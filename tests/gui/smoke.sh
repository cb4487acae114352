#!/usr/bin/env bash
# The real program on a fresh demo in an X window (run under xvfb-run): its window appears with
# the device's settings loaded, File > Exit closes it cleanly and stores its placement.
set -euo pipefail
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$2" "$work/demo"
export WINEPREFIX="$work/demo/wineprefix" TAVION_DEVICE_ROOT="$work/demo/device"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
"$1" &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorix$' | head -n 1)
[ -n "$win" ] || { echo "no Quorix window appeared"; exit 1; }
# Loading from the device writes the transfer cache copy.
cache="$WINEPREFIX/drive_c/Program Files/KVQ/Veltrix-e/dockman/cache/system"
cmp "$cache/system.ini" "$TAVION_DEVICE_ROOT/system/system.ini"
xdotool windowfocus --sync "$win" key --clearmodifiers alt+f sleep 0.5 key x
timeout 10 tail --pid="$pid" -f /dev/null || { echo "Quorix did not close from File > Exit"; exit 1; }
wait "$pid" || { echo "Quorix exited with $?"; exit 1; }
grep -q WindwInformation "$XDG_CONFIG_HOME/Veltrix/Veltrix.ini"
echo "smoke test passed"
