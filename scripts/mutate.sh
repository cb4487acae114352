#!/usr/bin/env bash
# Applies the deliberate faults of scripts/faults/faults.tsv one at a time, builds, runs the whole
# test suite and records whether some test failed. Run on demand, never in CI: every fault costs
# an incremental build and a suite run.
#
#   scripts/mutate.sh [--build DIR] [--out FILE] [--faults TSV] [--check] [ID...]
#
#   --build DIR   build directory (default build-mutants; Debug, no -Werror; configured on first use)
#   --out FILE    results file (default DIR/mutants.txt); logs of each fault go to DIR/mutants-logs/
#   --faults TSV  fault list (default scripts/faults/faults.tsv)
#   --check       only verify that every anchor occurs exactly once; no build, no tests
#   ID...         only these faults (default: all)
#
# Results: caught (some test failed), missed (every test passed), build-error (the fault does
# not compile: fix its row), anchor-missing (the original text is not in exactly one place).
# The changed source file is always restored, also on Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")/.."

build="build-mutants"
out=
faults=scripts/faults/faults.tsv
check_only=0
ids=()
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --faults) faults="$2"; shift 2 ;;
    --check) check_only=1; shift ;;
    -h | --help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "mutate.sh: unknown option $1" >&2; exit 2 ;;
    *) ids+=("$1"); shift ;;
    esac
done
out="${out:-$build/mutants.txt}"
logs="$build/mutants-logs"

# The one file holding the original text, or nothing when it is missing or not unique.
anchor_file() {
    local orig="$1" files count
    files=$(grep -rlF --include='*.cpp' --include='*.h' -- "$orig" src tools || true)
    [ -n "$files" ] && [ "$(printf '%s\n' "$files" | wc -l)" -eq 1 ] || return 0
    count=$(grep -oF -- "$orig" "$files" | wc -l)
    [ "$count" -eq 1 ] && printf '%s\n' "$files"
    return 0
}

wanted() {
    [ ${#ids[@]} -eq 0 ] && return 0
    local id
    for id in "${ids[@]}"; do [ "$id" = "$1" ] && return 0; done
    return 1
}

rows=()
while IFS= read -r line; do
    case "$line" in '' | '#'*) continue ;; esac
    IFS=$'\t' read -r id _ <<<"$line"
    wanted "$id" && rows+=("$line")
done <"$faults"
if [ ${#rows[@]} -eq 0 ]; then
    echo "mutate.sh: no faults selected" >&2
    exit 2
fi

if [ "$check_only" = 1 ]; then
    bad=0
    for line in "${rows[@]}"; do
        IFS=$'\t' read -r id lib _ orig _ <<<"$line"
        file=$(anchor_file "$orig")
        if [ -z "$file" ]; then
            printf '%-28s %-10s anchor-missing: %s\n' "$id" "$lib" "$orig"
            bad=$((bad + 1))
        fi
    done
    echo "${#rows[@]} faults, $bad anchors missing or not unique"
    [ "$bad" -eq 0 ]
    exit
fi

# Two runs on one tree would save each other's faults as the "original" text.
exec 9<.
if ! flock -n 9; then
    echo "mutate.sh: another run is changing this tree; wait for it to end" >&2
    exit 1
fi

# Restoring writes the saved text back (a fresh mtime, so the next build recompiles it).
mutated_file=
backup=$(mktemp)
restore() {
    if [ -n "$mutated_file" ]; then
        cat "$backup" >"$mutated_file"
        mutated_file=
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM HUP

build_all() {
    cmake --build "$build" -j2 >>"$1" 2>&1
}

run_suite() {
    ctest --test-dir "$build" -j2 --stop-on-failure --timeout 300 --output-on-failure >>"$1" 2>&1
}

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "configuring $build (Debug, no -Werror)"
    launcher=()
    # Most faults touch one file; ccache keeps the rebuild after restoring it short.
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUORIX_WERROR=OFF "${launcher[@]}" >/dev/null
fi
mkdir -p "$logs"
echo "building and testing the unchanged tree"
if ! build_all "$logs/baseline.log" || ! run_suite "$logs/baseline.log"; then
    echo "mutate.sh: the unchanged tree does not build or pass its tests; see $logs/baseline.log" >&2
    exit 1
fi

mkdir -p "$(dirname "$out")"
printf '# id\tlibrary\tresult\tfirst failing test\n' >"$out"
declare -A total=([caught]=0 [missed]=0 [build-error]=0 [anchor-missing]=0)
started=$SECONDS
for line in "${rows[@]}"; do
    IFS=$'\t' read -r id lib _ orig repl <<<"$line"
    log="$logs/$id.log"
    : >"$log"
    detail=
    file=$(anchor_file "$orig")
    if [ -z "$file" ]; then
        result=anchor-missing
    else
        cp "$file" "$backup"
        mutated_file="$file"
        text=$(cat "$file"; printf x)
        text="${text%x}"
        printf '%s' "${text/"$orig"/"$repl"}" >"$file"
        echo "$id: $file" >>"$log"
        if ! build_all "$log"; then
            result="build-error"
        elif run_suite "$log"; then
            result=missed
        else
            result=caught
            detail=$(sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .*\*\*\*.*/\1/p' "$log" | head -1)
        fi
        restore
    fi
    total[$result]=$((total[$result] + 1))
    printf '%s\t%s\t%s\t%s\n' "$id" "$lib" "$result" "$detail" >>"$out"
    printf '%-28s %-10s %s %s\n' "$id" "$lib" "$result" "$detail"
done

{
    printf '# caught %d, missed %d, build-error %d, anchor-missing %d of %d faults' \
        "${total[caught]}" "${total[missed]}" "${total[build-error]}" "${total[anchor-missing]}" \
        "${#rows[@]}"
    printf ' (%d s)\n' $((SECONDS - started))
} | tee -a "$out"
echo "results in $out, logs in $logs/"
