#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, with AddressSanitizer and UndefinedBehavior-
# Sanitizer) in build-fuzz/ and runs each over its seed corpus in fuzz/corpus/.
# New inputs the fuzzers find are kept in fuzz/corpus-run/ (not committed); an
# input that breaks a target is saved in build-fuzz/crashes/ and fails the run.
#
#   tools/fuzz.sh            short run: 60 s in all, shared among the targets
#   tools/fuzz.sh --long [S] long run: S seconds a target (default 3600)
set -euo pipefail
cd "$(dirname "$0")/.."

total=60
per_target=""
if [[ "${1:-}" == "--long" ]]; then
    per_target=${2:-3600}
fi

build=build-fuzz
cmake -S . -B "$build" -DDOVER_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)"

targets=(fuzz_open fuzz_export)
if [[ -z "$per_target" ]]; then
    per_target=$((total / ${#targets[@]}))
fi
mkdir -p "$build/crashes"
status=0
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    mkdir -p "fuzz/corpus-run/$name"
    log="$build/$target.log"
    if ! "$build/fuzz/$target" -max_total_time="$per_target" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target-" \
        "fuzz/corpus-run/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
        status=1
        echo "$target: FAILED, see $log and $build/crashes/"
        grep -m5 -E 'broken:|ERROR:|SUMMARY:' "$log" || true
        continue
    fi
    runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo "?")
    cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 || true)
    echo "$target: $runs runs in ${per_target} s, no failure ($cov)"
done
exit $status
