#!/usr/bin/env bash
# Static analysis of the project's own code (src/): clang-tidy with .clang-tidy and
# cppcheck with .cppcheck-suppressions. Exits non-zero on any finding.
#
#   LINT_BUILD=build/test   build folder whose compile_commands.json is used
set -euo pipefail
cd "$(dirname "$0")/.."

build=${LINT_BUILD:-build/test}
out=build/lint

# The analyzers are needed only here, not by `make test`.
missing=()
for p in clang-tidy clang-tools cppcheck jq; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Instalando paquetes que faltan: ${missing[*]}"
    run=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || {
            echo "ejecute como root: apt-get install ${missing[*]}" >&2
            exit 1
        }
        run=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${run[@]}" apt-get update -qq
    "${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

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
