#!/usr/bin/env bash
# Starts the real program on a fresh demo on the current X display, checks that its window
# appears with the device's settings loaded, then closes it from its File menu and expects a
# clean exit. Run under xvfb-run.
set -euo pipefail
quorix="$1"
mkdemo="$2"
artefacts="${3:-}"

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$mkdemo" "$work/demo"

export WINEPREFIX="$work/demo/wineprefix"
export TAVION_DEVICE_ROOT="$work/demo/device"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb

"$quorix" &
pid=$!

win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorix$' | head -n 1)
[ -n "$win" ] || { echo "no Quorix window appeared"; exit 1; }
sleep 1
if [ -n "$artefacts" ]; then
    mkdir -p "$artefacts"
    xwd -root -silent > "$artefacts/smoke.xwd" || true
fi

# Loading from the device writes the transfer cache copies.
cache="$WINEPREFIX/drive_c/Program Files/KVQ/Veltrix-e/dockman/cache/system"
cmp "$cache/system.ini" "$TAVION_DEVICE_ROOT/system/system.ini"

xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    echo "Quorix did not close from File > Exit"
    exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || { echo "Quorix exited with $status"; exit 1; }
# A normal close stores the window placement.
grep -q WindwInformation "$XDG_CONFIG_HOME/Veltrix/Veltrix.ini"
echo "smoke test passed"
