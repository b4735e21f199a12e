#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs the engine benchmark: a Release build without sanitizers in
# build/bench, the Windows-1251 corpus made from fortunes-ru, then the run.
# Extra arguments go to the benchmark (--rounds=N: rounds of the interleaved
# timing, 7 unless said).
# Exits non-zero when a target is missed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$root/build/bench"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTRANSLIT_SANITIZE=OFF -DTRANSLIT_BENCHMARK=ON >"$build.configure.log" 2>&1 \
  || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" --target engine_benchmark -j "$(nproc)" >"$build.build.log" 2>&1 \
  || { tail -40 "$build.build.log"; exit 1; }
python3 "$root/engine/benchmark/make_corpus.py" "$build/corpus-1251.txt"
"$build/engine/benchmark/engine_benchmark" --corpus="$build/corpus-1251.txt" "$@"
