#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The text filter's speed beside uconv's: 100 MB of Russian prose (the
# fortunes-ru collection, repeated and cut at a line end) through
#   translit -t --profile standart.pch
#   uconv -x Russian-Latin/BGN
# Prints, for each, the median of RUNS runs (default 5): wall-clock and CPU
# seconds, MB/s of input by each, and the largest resident memory.
# Usage: tools/benchmark-text.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-5}
"$root/tools/setup.sh" >/dev/null
"$root/translit.sh" --version >/dev/null  # built before anything is timed
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/input.txt" <<'PY'
import glob, sys
prose = b"".join(open(p, "rb").read() for p in sorted(glob.glob("/usr/share/games/fortunes/ru/*.u8")))
size = 100 * 1000 * 1000
text = (prose * (size // len(prose) + 1))[:size]
open(sys.argv[1], "wb").write(text[: text.rfind(b"\n") + 1])
PY
bytes=$(stat -c %s "$work/input.txt")

# measure NAME COMMAND...: one line "NAME wall cpu MB/s-wall MB/s-cpu max-KB", the median run by wall time.
measure() {
  local name=$1 i
  shift
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" <"$work/input.txt" >/dev/null 2>"$work/err"
    cat "$work/time"
  done | sort -n | awk -v name="$name" -v bytes="$bytes" -v runs="$runs" '
    NR == int((runs + 1) / 2) {
      cpu = $2 + $3
      printf "%-10s %6.2f s wall %6.2f s cpu %7.1f MB/s wall %7.1f MB/s cpu %7d KB\n",
             name, $1, cpu, bytes / 1e6 / $1, bytes / 1e6 / cpu, $4
    }'
}

echo "$(printf "%'d" "$bytes") bytes, median of $runs runs; load average $(cut -d' ' -f1-3 /proc/loadavg)"
measure translit "$root/translit.sh" -t -q --profile standart.pch
measure uconv uconv -x Russian-Latin/BGN
