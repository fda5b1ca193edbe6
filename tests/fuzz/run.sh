#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time; fails on any finding.
set -uo pipefail
build=${1:?usage: run.sh <fuzz build folder>}
seconds=${FUZZ_SECONDS:-60}
status=0
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    echo "fuzz: $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" \
        > "$build/$name.log" 2>&1 || { status=1; tail -n 60 "$build/$name.log"; }
done
exit $status
