#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a file name costs per profile: natively (file_name_benchmark: the
# engine's TransliteratePath with a real read of the profile) and through
# translit.dll under wine (process_benchmark.exe: the entry point `process`,
# beside a bare open, read and close of the same file). Builds a Release
# build without sanitizers in build/bench and the Windows build in build/win32
# (configured as test.sh configures it), then runs both over profiles/.
# --rounds=N goes to both benchmarks.
# Exits non-zero when a target is missed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bench="$root/build/bench"
win="$root/build/win32"
mkdir -p "$root/build"

cmake -S "$root" -B "$bench" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTRANSLIT_SANITIZE=OFF -DTRANSLIT_BENCHMARK=ON >"$bench.configure.log" 2>&1 \
  || { cat "$bench.configure.log"; exit 1; }
cmake --build "$bench" --target file_name_benchmark -j "$(nproc)" >"$bench.build.log" 2>&1 \
  || { tail -40 "$bench.build.log"; exit 1; }
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DTRANSLIT_WERROR=ON -DCMAKE_BUILD_TYPE=Release >"$win.configure.log" 2>&1 \
  || { cat "$win.configure.log"; exit 1; }
cmake --build "$win" --target translit process_benchmark -j "$(nproc)" >"$win.build.log" 2>&1 \
  || { tail -40 "$win.build.log"; exit 1; }

status=0
echo "== natively =="
"$bench/engine/benchmark/file_name_benchmark" --profiles="$root/profiles" "$@" || status=1
echo "== through translit.dll under wine =="
source "$root/tools/wine-env.sh"
translit_wine_prefix
"$root/tools/wine-run" "$win/tests/wine/process_benchmark.exe" "$@" || status=1
exit $status
