#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for FUZZ_SECONDS (30).
#   FUZZ_SECONDS=600 ./scripts/fuzz.sh          longer runs
#   FUZZ_TARGETS="snd registry" ./scripts/fuzz.sh   only some targets
#   FUZZ_JOBS=2                                  targets run side by side (default: 2)
# Each target starts from tests/fuzz-corpus/<target>/ and grows its own corpus under
# build-fuzz/corpus/<target>/; a crash leaves its input in build-fuzz/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-30}"
jobs="${FUZZ_JOBS:-2}"
build_dir=build-fuzz
all_targets=(snd record_show record_set registry placement soundlist dirpattern devicepath rtttl midi)
read -r -a targets <<<"${FUZZ_TARGETS:-${all_targets[*]}}"

./scripts/install-deps.sh
if ! command -v clang++-14 >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'install ok installed'; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORIX_FUZZ=ON >/dev/null
cmake --build "$build_dir" -j2 --target fuzzers

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

run_one() {
    local t="$1"
    local corpus="$build_dir/corpus/$t" artifacts="$build_dir/artifacts/$t"
    mkdir -p "$corpus" "$artifacts"
    if "$build_dir/fuzz/${t}_fuzz" "$corpus" "tests/fuzz-corpus/$t" \
        -max_total_time="$seconds" -max_len=4096 -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"$build_dir/$t.log" 2>&1; then
        echo "$t: clean for ${seconds}s ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build_dir/$t.log" | grep -o '[0-9]*$') runs)"
    else
        echo "$t: FAILED, see $build_dir/$t.log and $artifacts/"
        return 1
    fi
}

status=0
running=0
pids=()
for t in "${targets[@]}"; do
    run_one "$t" &
    pids+=($!)
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || status=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || status=1
    running=$((running - 1))
done
exit "$status"
