#!/usr/bin/env bash
# Start-up benchmark: how long Quorix takes on the demo from launch until its window is first
# painted, and its peak resident memory, next to the same figures for quorix_plain_window (a
# plain Qt window of about the same size). One Xvfb server; the two programs alternate over
# RUNS paired runs (default 20, at least 10) after one unmeasured warm-up pair; prints the
# medians and their ratios. Run by hand on a Release build:
#   QUORIX_BUILD_DIR=build-release bench/startup.sh [RUNS]
# Not a test: the figures depend on the machine and its load, which is printed with them.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20}
build=${QUORIX_BUILD_DIR:-build}
quorix=$build/src/gui/quorix
plain=$build/bench/quorix_plain_window
mkdemo=$build/tools/quorix_mkdemo

fail() {
    echo "startup.sh: $*" >&2
    exit 1
}
if ! [[ $runs =~ ^[0-9]+$ ]] || ((runs < 10)); then
    fail "RUNS must be a number of at least 10"
fi
for program in "$quorix" "$plain" "$mkdemo"; do
    [ -x "$program" ] || fail "$program is missing: cmake --build $build --target quorix quorix_plain_window quorix_mkdemo"
done
command -v Xvfb >/dev/null || fail "Xvfb is missing (Debian package xvfb)"

work=$(mktemp -d)
xvfb=
child=
cleanup() {
    if [ -n "$child" ]; then
        kill -TERM "$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    fi
    if [ -n "$xvfb" ]; then
        kill -TERM "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb writes its display number to fd 3 once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not report a display"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="quorix.startup.debug=true"
# Quorix's single-instance lock and socket stay inside the benchmark.
export XDG_RUNTIME_DIR="$work/runtime"
export WINEPREFIX="$work/demo/wineprefix"
export TAVION_DEVICE_ROOT="$work/demo/device"
export XDG_CONFIG_HOME="$work/config"

"$mkdemo" "$work/demo" >/dev/null

# Every run starts with an empty settings folder and runtime folder (SIGTERM ends Quorix
# without removing its socket). The demo stays: after the warm-up run its transfer cache is
# filled, as it is on any start but a user's first.
fresh_files() {
    rm -rf "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_CONFIG_HOME"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Runs one program until it logs "shown at <seconds>"; sets elapsed_us, cpu_us (processor time
# of its threads until then: on a busy machine the steadier figure) and peak_kib.
measure() {
    local fifo="$work/log.fifo" line shown="" start fd
    rm -f "$fifo"
    mkfifo "$fifo"
    start=$EPOCHREALTIME
    "$1" 2>"$fifo" >/dev/null &
    child=$!
    exec {fd}<"$fifo"
    while IFS= read -r -t 30 line <&"$fd"; do
        if [[ $line == *"shown at "* ]]; then
            shown=${line##*shown at }
            break
        fi
    done
    [ -n "$shown" ] || fail "$1 did not report its window within 30 s"
    cpu_us=$(cat "/proc/$child"/task/*/schedstat | awk '{ ns += $1 } END { printf "%d", ns / 1000 }')
    # The peak also counts what the program does right after its first frame.
    sleep 0.2
    peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$child/status")
    kill -TERM "$child"
    wait "$child" 2>/dev/null || true
    child=
    exec {fd}<&-
    elapsed_us=$((${shown/./} - ${start/./}))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# Runs one program ("quorix" or "plain") and adds its figures to $work/<name>.<figure>.
run() {
    fresh_files
    if [ "$1" = quorix ]; then measure "$quorix"; else measure "$plain"; fi
    echo "$elapsed_us" >>"$work/$1.times"
    echo "$cpu_us" >>"$work/$1.cpus"
    echo "$peak_kib" >>"$work/$1.peaks"
}

echo "Load before: $(uptime)"
run quorix # warm-up pair, not counted
run plain
rm -f "$work"/*.times "$work"/*.cpus "$work"/*.peaks
for ((i = 1; i <= runs; ++i)); do
    # Each program goes first in every other pair.
    if ((i % 2)); then run quorix && run plain; else run plain && run quorix; fi
    printf "run %2d:" "$i"
    for name in quorix plain; do
        awk -v name="$name" -v t="$(tail -n1 "$work/$name.times")" \
            -v c="$(tail -n1 "$work/$name.cpus")" -v m="$(tail -n1 "$work/$name.peaks")" \
            'BEGIN { printf "   %s %.3f s (cpu %.3f s) %.1f MiB", name, t / 1e6, c / 1e6, m / 1024 }'
    done
    echo
done
echo "Load after:  $(uptime)"

awk -v runs="$runs" -v qt="$(median <"$work/quorix.times")" -v pt="$(median <"$work/plain.times")" \
    -v qc="$(median <"$work/quorix.cpus")" -v pc="$(median <"$work/plain.cpus")" \
    -v qm="$(median <"$work/quorix.peaks")" -v pm="$(median <"$work/plain.peaks")" 'BEGIN {
    printf "Medians of %d paired runs:\n", runs
    printf "  time to shown:  quorix %.3f s, plain %.3f s, ratio %.2f\n", qt / 1e6, pt / 1e6, qt / pt
    printf "  cpu to shown:   quorix %.3f s, plain %.3f s, ratio %.2f\n", qc / 1e6, pc / 1e6, qc / pc
    printf "  peak memory:    quorix %.1f MiB, plain %.1f MiB, ratio %.2f\n", qm / 1024, pm / 1024, qm / pm
}'
