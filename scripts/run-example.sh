#!/usr/bin/env bash
# Set-up and build (scripts/setup.sh), then one engine run of the bundled example
# network in a fresh run directory under runs/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

example=${1:-examples/arterial}
run_dir="$PWD/runs/$(basename "$example")-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$run_dir"
cp "$example/input.fin" "$example/plan.tpl" "$run_dir/"

# The engine reads inout.dir from its working directory: the program directory.
program_dir="$PWD/${BUILD_DIR:-build}/bin"
printf '%s/\r\n' "$run_dir" > "$program_dir/inout.dir"
(cd "$program_dir" && ./TALVO)

echo
echo "Run directory: $run_dir"
echo "Report:        $run_dir/output_exist.out"
if [ -f "$run_dir/output_exist.out" ]; then
    echo
    sed -n '/DELAY BY APPROACH:/,$p' "$run_dir/output_exist.out" | tr -d '\r'
fi
