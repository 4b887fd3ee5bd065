#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each one for a while, starting from its seed
# corpus in fuzz/corpus/<target>/.
#
#   scripts/run-fuzz.sh [seconds per target, default 30] [target ...]
#   FUZZ_RUNS=1000000 scripts/run-fuzz.sh 0 [target ...]
#
# With FUZZ_RUNS set, each target runs that many executions instead of a time, spread over
# one worker process per core (libFuzzer's fork mode); the seconds are then ignored.
#
# Targets are named after their corpus folders (inout_dir, scenario, engine_run, ...).
# Inputs that crash, leak, hang or run out of memory land in build-fuzz/findings/; the
# script then fails. Reproduce one with: build-fuzz/bin/fuzz_<target> <file>
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-30}}
shift || true
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_BUILD_JOBS:-$(nproc)}

command -v clang++ >/dev/null || { echo "clang++ is missing (scripts/setup.sh installs it)"; exit 1; }
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALVO_FUZZ=ON -DTALVO_BUILD_GUI=ON -DTALVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target talvo_fuzz_all

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# Leaks count as findings; the symbolizer makes the reports readable when it is there.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

mkdir -p "$build/findings" "$build/logs"
failed=()
summary=()
for target in "${targets[@]}"; do
    exe="$build/bin/fuzz_$target"
    [ -x "$exe" ] || { echo "no fuzz target fuzz_$target"; failed+=("$target"); continue; }
    # The growing corpus stays in the build folder; the committed seeds are only read.
    work="$build/corpus/$target"
    mkdir -p "$work"
    dict=()
    [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
    # A whole run simulates up to 10000 seconds of a 200-cell network: several seconds
    # under the sanitizers. Every other target reads one file and is done in milliseconds.
    timeout=10
    [ "$target" = engine_run ] && timeout=60
    log="$build/logs/$target.log"
    if [ -n "${FUZZ_RUNS:-}" ]; then
        limit=(-runs="$FUZZ_RUNS" -fork="$(nproc)")
        echo "== fuzz_$target for $FUZZ_RUNS executions"
    else
        limit=(-max_total_time="$seconds")
        echo "== fuzz_$target for ${seconds}s"
    fi
    status=0
    "$exe" "$work" "fuzz/corpus/$target" "${dict[@]}" \
        "${limit[@]}" -rss_limit_mb=2048 -malloc_limit_mb=2048 -timeout="$timeout" \
        -max_len=16384 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" >"$log" 2>&1 || status=$?
    runs=$(sed -n -e 's/^stat::number_of_executed_units: *//p' \
        -e 's/^INFO: fuzzed for \([0-9]*\) iterations.*/\1/p' "$log" | tail -1)
    summary+=("fuzz_$target: ${runs:-?} executions, exit status $status")
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        tail -n 60 "$log"
    fi
done

echo
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in $build/findings/, logs in $build/logs/)"
    exit 1
fi
