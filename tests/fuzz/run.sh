#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time; fails on any finding.
# A target may write seed inputs into $FUZZ_SEED_DIR at start-up; a dictionary named
# after the target (fuzz_x.dict beside this script) is used when present, and so are
# extra options in fuzz_x.options (later options win over the defaults above them).
set -uo pipefail
build=${1:?usage: run.sh <fuzz build folder>}
seconds=${FUZZ_SECONDS:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    seeds="$build/seeds/$name"
    artifacts="$build/artifacts/$name"
    mkdir -p "$corpus" "$seeds" "$artifacts"
    args=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048
          -max_len=16384 -artifact_prefix="$artifacts/")
    [ -f "$here/$name.dict" ] && args+=(-dict="$here/$name.dict")
    if [ -f "$here/$name.options" ]; then
        read -ra extra < "$here/$name.options" || true # a last line without its newline
        args+=("${extra[@]}")
    fi
    echo "fuzz: $name for ${seconds}s"
    if FUZZ_SEED_DIR="$seeds" "$target" "${args[@]}" "$corpus" "$seeds" > "$build/$name.log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$build/$name.log" | tail -n 2
    else
        status=1
        echo "fuzz: $name found a fault; inputs in $artifacts"
        tail -n 60 "$build/$name.log"
    fi
done
exit $status
