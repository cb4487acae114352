#!/usr/bin/env bash
# Processor time of an idle Quorix window: each program given is started on a fresh demo in
# the X display (run under xvfb-run), left alone until start-up has settled, and its utime +
# stime are read from /proc/PID/stat at the start and at the end of SECONDS idle seconds. The
# programs take turns, RUNS rounds; each line is one run, in milliseconds.
#   xvfb-run -a bench/idle.sh SECONDS RUNS MKDEMO QUORIX...
set -euo pipefail
seconds=$1 runs=$2 mkdemo=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tick_ms=$((1000 / $(getconf CLK_TCK)))
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
"$mkdemo" "$work/demo" >/dev/null
export WINEPREFIX="$work/demo/wineprefix" TAVION_DEVICE_ROOT="$work/demo/device"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
for ((round = 1; round <= runs; round++)); do
    for program in "$@"; do
        export XDG_CONFIG_HOME="$work/config-$round"
        "$program" 2>/dev/null &
        pid=$!
        sleep 5 # start-up and the first paint are over
        before=$(cpu_ticks "$pid")
        sleep "$seconds"
        after=$(cpu_ticks "$pid")
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        echo "$program round $round: $(((after - before) * tick_ms)) ms in $seconds s idle"
    done
done
