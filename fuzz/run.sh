#!/bin/sh
# Builds the fuzzers in build-fuzz/ (beside build/) and runs each for RUNS
# executions, 2000 unless given. Exits 77 when clang is not installed.
set -eu
runs=${1:-2000}
here=$(cd "$(dirname "$0")" && pwd)
build=$(dirname "$here")/build-fuzz

if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
    echo "clang is not installed: no fuzzing" >&2
    exit 77
fi
cmake -S "$here" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel >/dev/null

for target in wad pcx jpeg bmp picture table vdf logo; do
    # New inputs go to build-fuzz/corpus; the seeds in the repository stay as they are.
    mkdir -p "$build/corpus/$target"
    echo "fuzz_$target: $runs runs"
    "$build/fuzz_$target" -runs="$runs" -artifact_prefix="$build/" -print_final_stats=1 \
        "$build/corpus/$target" "$here/corpus/$target" 2>"$build/$target.log" \
        || { tail -n 60 "$build/$target.log" >&2; echo "fuzz_$target failed; see $build/$target.log" >&2; exit 1; }
    grep -E '^stat::number_of_executed_units' "$build/$target.log" || true
done
