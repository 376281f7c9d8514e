#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehavior-
# Sanitizer, and runs each for a bounded time from its seed corpus, two at a
# time: tests/fuzz/run.sh [BUILD_DIR [SECONDS_EACH]]
# New inputs go to BUILD_DIR/fuzz-corpus (the seeds under tests/fuzz/corpus
# stay as committed); a crash leaves its input in BUILD_DIR/fuzz-crashes and
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${1:-build-fuzz}
seconds=${2:-20}

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZERIM_FUZZ=ON \
    "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build "$dir" -j2 --target zerim_fuzz

# The targets as tests/fuzz/CMakeLists.txt lists them, without "fuzz_".
mapfile -t targets < <(sed 's/^fuzz_//' "$dir/tests/fuzz/fuzzers.txt")
mkdir -p "$dir/fuzz-logs" "$dir/fuzz-crashes"
run_one() {
    local dir=$1 seconds=$2 t=$3
    mkdir -p "$dir/fuzz-corpus/$t"
    if UBSAN_OPTIONS=print_stacktrace=1 "$dir/tests/fuzz/fuzz_$t" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/fuzz-crashes/$t-" \
        "$dir/fuzz-corpus/$t" "tests/fuzz/corpus/$t" >"$dir/fuzz-logs/$t.log" 2>&1; then
        echo "fuzz_$t: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/fuzz-logs/$t.log" | grep -o '[0-9]*$') runs, clean"
    else
        echo "fuzz_$t: FAILED"; tail -40 "$dir/fuzz-logs/$t.log"; return 1
    fi
}
export -f run_one
printf '%s\n' "${targets[@]}" | xargs -P2 -I{} bash -c 'run_one "$@"' _ "$dir" "$seconds" {}
