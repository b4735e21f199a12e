#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A long fuzz run: builds the fuzzers (build/fuzz, clang), runs every target
# for MINUTES at once (one process each), merges the inputs that reach new
# code into tests/fuzz/corpus/<target>/, and prints each target's
# executions, executions per second and coverage (libFuzzer's cov: and ft:).
#
#   tests/fuzz/run.sh MINUTES [TARGET...]
#
# A crash or a failed check stops that target; its reproducer is left in
# build/fuzz/long-run/<target>/ and the script exits non-zero.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"

minutes=${1:-}
if ! [[ "$minutes" =~ ^[0-9]+$ ]] || [ "$minutes" -eq 0 ]; then
  echo "usage: tests/fuzz/run.sh MINUTES [TARGET...]" >&2
  exit 2
fi
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(profile_engine_fuzzer path_fuzzer)

"$root/tools/setup.sh" || exit 1
build=build/fuzz
mkdir -p build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRANSLIT_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >build/fuzz-configure.log 2>&1 \
  && cmake --build "$build" -j "$(nproc)" --target translit_fuzzers >build/fuzz-build.log 2>&1 \
  || { echo "fuzz build failed:"; tail -n 40 build/fuzz-*.log; exit 1; }

seconds=$((minutes * 60))
pids=()
for target in "${targets[@]}"; do
  work=$build/long-run/$target
  rm -rf "$work" && mkdir -p "$work/found"
  dict=tests/fuzz/$target.dict
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$work/")
  [ -f "$dict" ] && options+=(-dict="$dict")
  echo "$target: running for $minutes min, log in $work/fuzz.log"
  "$build/tests/fuzz/$target" "${options[@]}" "$work/found" "tests/fuzz/corpus/$target" \
    >"$work/fuzz.log" 2>&1 &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  work=$build/long-run/$target
  corpus=tests/fuzz/corpus/$target
  if ! wait "${pids[$i]}"; then
    status=1
    echo "$target: FAILED"
    grep -E -m 3 "FUZZ CHECK FAILED|ERROR: |SUMMARY: |Test unit written" "$work/fuzz.log"
  fi
  # Only inputs that reach code the corpus does not reach yet are kept (not
  # the finer hit-count features), so that the corpus stays small.
  before=$(find "$corpus" -type f | wc -l)
  "$build/tests/fuzz/$target" -merge=1 -use_counters=0 "$corpus" "$work/found" \
    >"$work/merge.log" 2>&1 \
    || { echo "$target: merge failed, see $work/merge.log"; status=1; }
  after=$(find "$corpus" -type f | wc -l)
  done_line=$(grep -E "^#[0-9]+[[:space:]]+DONE" "$work/fuzz.log" | tail -n 1)
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
  per_second=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/fuzz.log")
  cov=$(grep -oE "cov: [0-9]+" <<<"$done_line" | cut -d' ' -f2)
  ft=$(grep -oE "ft: [0-9]+" <<<"$done_line" | cut -d' ' -f2)
  echo "$target: ${executions:-?} executions, ${per_second:-?} exec/s, cov ${cov:-?}, ft ${ft:-?}," \
       "corpus $before -> $after files"
done
exit $status
