#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# New inputs that reach new code are merged into fuzz/corpus/<target>/ (review and commit
# them); an input that breaks something is left in build/fuzz/artifacts/ and fails the run.
#
#   FUZZ_SECONDS=60   time per target
#   FUZZ_TARGETS="message_file sign_decoder"
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-"message_file sign_decoder"}
build=build/fuzz

# clang and its fuzzer runtime are needed only here, not by `make test`.
scripts/install-deps.sh clang libclang-rt-14-dev

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if ! cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
    tail -n 40 "$build/build.log"
    exit 1
fi

mkdir -p "$build/artifacts"
status=0
for t in $targets; do
    corpus=fuzz/corpus/$t
    work=$build/work/$t
    mkdir -p "$corpus" "$work"
    echo "== fuzz_$t: ${seconds} s"
    if ! "$build/fuzz_$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
        "$work" "$corpus" >"$build/$t.log" 2>&1; then
        tail -n 40 "$build/$t.log"
        echo "fuzz_$t encontro un fallo: vea $build/artifacts/ y $build/$t.log" >&2
        status=1
        continue
    fi
    grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$build/$t.log" || true
    # Only inputs that reach code the committed corpus does not are kept there (edges only,
    # not hit counts, so the committed corpus stays small).
    before=$(find "$corpus" -type f | wc -l)
    "$build/fuzz_$t" -merge=1 -use_counters=0 -max_len=4096 -timeout=10 "$corpus" "$work" >"$build/$t.merge.log" 2>&1
    after=$(find "$corpus" -type f | wc -l)
    echo "   corpus: $before -> $after entradas"
done
exit $status
