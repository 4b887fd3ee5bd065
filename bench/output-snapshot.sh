#!/usr/bin/env bash
# Runs one TALVO executable over the reference runs and the bundled examples, each as it
# stands and with every optimisation variant switched on (small searches, and the grid
# search the optimiser benchmark runs), and keeps every file written plus the console in
# OUT/<case>/. Elapsed times are masked, so that the snapshots of two builds compare with
# `diff -r`:
#
#   bench/output-snapshot.sh build/bin/TALVO /tmp/before
#   ... change the engine, rebuild ...
#   bench/output-snapshot.sh build/bin/TALVO /tmp/after && diff -r /tmp/before /tmp/after
set -euo pipefail
cd "$(dirname "$0")/.."

talvo=$(realpath "$1")
out=$2
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes SRC/input.fin to DEST with lines replaced: "index=value" pairs, 0-based, with "_"
# in a value standing for a tab; the index "phaseCycle" names the first line of the
# timing-plan block.
edit_input() {
    local src=$1 dest=$2
    shift 2
    awk -v pairs="$*" '
        { lines[NR - 1] = $0 }
        END {
            cells = lines[14] + 0; loads = lines[15 + cells] + 0
            n = split(pairs, list, " ")
            for (i = 1; i <= n; i++) {
                split(list[i], kv, "=")
                at = kv[1] == "phaseCycle" ? 17 + cells + loads : kv[1] + 0
                end = lines[at] ~ /\r$/ ? "\r" : ""
                gsub(/_/, "\t", kv[2])
                lines[at] = kv[2] end
            }
            for (i = 0; i < NR; i++) print lines[i]
        }' "$src/input.fin" >"$dest/input.fin"
}

# Masks the elapsed times: the last 15 columns of a report's search rows, the total run
# time, and the console's time lines (a lone number, "RUN TIME (sec):").
mask_times() {
    local dir=$1
    for f in "$dir"/*.out; do
        [ -e "$f" ] || continue
        awk '/^Iteration    Max TWD/ { search = 1 }
             /^TOTAL RUN TIME \(sec\):/ { print "TOTAL RUN TIME (sec): <time>"; search = 0; next }
             { line = $0; sub(/\r$/, "", line) }
             search && length(line) == 62 { print substr(line, 1, 47) "<time>"; next }
             { print }' "$f" >"$f.masked" && mv "$f.masked" "$f"
    done
    awk '/^ *[-+0-9.Ee]+\r?$/ { print "<time>"; next }
         /RUN TIME \(sec\):/ { print " RUN TIME (sec): <time>"; next }
         { print }' "$dir/console.txt" >"$dir/console.masked" && mv "$dir/console.masked" "$dir/console.txt"
}

run_case() {
    local name=$1 src=$2
    shift 2
    local dir="$work/$name" program="$work/$name-program"
    mkdir -p "$dir" "$program"
    edit_input "$src" "$dir" "$@"
    cp "$src/plan.tpl" "$dir/plan.tpl"
    printf '%s/\r\n' "$dir" >"$program/inout.dir"
    (cd "$program" && "$talvo" >"$dir/console.txt" 2>&1) || echo "exit $?" >>"$dir/console.txt"
    rm "$dir/input.fin" "$dir/plan.tpl"
    mask_times "$dir"
    mv "$dir" "$out/$name"
}

small="7=8 8=4 9=3"
# The reference runs kept beside the source tree (TALVO_REFERENCE_DIR elsewhere).
shared=${TALVO_REFERENCE_DIR:-../shared}
for src in "$shared"/reference-runs/*/ engine/tests/data/reference-runs/*/ examples/*/; do
    [ -f "$src/input.fin" ] || continue
    case $src in
        "$shared"/*) base=shared-$(basename "$src") ;;
        engine/*) base=tests-$(basename "$src") ;;
        *) base=$(basename "$src") ;;
    esac
    src=${src%/}
    run_case "$base-as-is" "$src"
    for v in 1 2 3; do
        run_case "$base-v$v" "$src" "0=Y 1=$v $small phaseCycle=6"
    done
    run_case "$base-v3-seeded" "$src" "0=Y 1=3 $small 12=Y 13=Y phaseCycle=6"
done
# The optimiser benchmark's search: VGVC of the grid, population 100, 30 generations.
run_case grid-bench examples/grid "0=Y 1=3 7=100 8=30 9=30 phaseCycle=11"
run_case grid-bench-delay900 examples/grid "0=Y 1=3 6=0_900 7=100 8=30 9=30 phaseCycle=11"
echo "snapshot of $talvo in $out: $(find "$out" -type f | wc -l) files"
