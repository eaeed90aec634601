#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Static analysis of the project's own code (src/): clang-tidy with .clang-tidy and
# cppcheck with .cppcheck-suppressions. Exits non-zero on any finding.
#
#   LINT_BUILD=build/test   build folder whose compile_commands.json is used
set -euo pipefail
cd "$(dirname "$0")/.."

build=${LINT_BUILD:-build/test}
out=build/lint

# The analyzers are needed only here, not by `make test`.
scripts/install-deps.sh clang-tidy clang-tools cppcheck jq

if [ ! -f "$build/compile_commands.json" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DLUMIVEL_SANITIZE=ON -DLUMIVEL_WERROR=ON >/dev/null
fi
# Only the program's own sources: not tests, benchmarks or generated moc files.
mkdir -p "$out"
jq --arg src "$PWD/src/" '[.[] | select(.file | startswith($src))]' \
    "$build/compile_commands.json" >"$out/compile_commands.json"
echo "lint: $(jq length "$out/compile_commands.json") archivos de src/"

status=0
echo "== clang-tidy"
if ! run-clang-tidy -quiet -p "$out" -j "$(nproc)" >"$out/clang-tidy.log" 2>&1; then
    grep -E 'warning:|error:' "$out/clang-tidy.log" | sort -u || tail -n 40 "$out/clang-tidy.log"
    status=1
fi
echo "== cppcheck"
if ! cppcheck --project="$out/compile_commands.json" --enable=warning,performance,portability \
    --library=qt --std=c++20 --inline-suppr --suppressions-list=.cppcheck-suppressions \
    --cppcheck-build-dir="$out" -j "$(nproc)" -q --error-exitcode=1 \
    --template='{file}:{line}: {severity}: {message} [{id}]'; then
    status=1
fi
[ $status -eq 0 ] && echo "lint: sin hallazgos"
exit $status
