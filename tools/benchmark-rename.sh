#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times ./translit.sh on N files in one folder, all told (start-up, profile,
# folder listing, renames and the undo journal): a dry run, the rename, and
# --undo. Prints one table row per size, the median of RUNS runs.
#   tools/benchmark-rename.sh [RUNS] [SIZES...]     default: 3 1000 10000 20000
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-3}
shift || true
sizes=("${@:-1000 10000 20000}")
read -r -a sizes <<<"${sizes[*]}"
"$root/translit.sh" --version >/dev/null  # builds the command first if needed

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME="$work/state"

seconds() {  # seconds COMMAND...: wall time of one run
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}
median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }

echo "| Files | Dry run | Rename | Undo |"
echo "|---|---|---|---|"
for n in "${sizes[@]}"; do
  dry=() ren=() und=()
  for _ in $(seq "$runs"); do
    rm -rf "$work/d" "$work/state" && mkdir "$work/d"
    (cd "$work/d" && python3 -c "
import sys
for i in range(int(sys.argv[1])): open(f'Документ {i} Щукин Юрий.txt', 'w').close()" "$n")
    dry+=("$(seconds "$root/translit.sh" -n "$work/d")")
    ren+=("$(seconds "$root/translit.sh" "$work/d")")
    und+=("$(seconds "$root/translit.sh" --undo "$work/d")")
    [ "$(ls "$work/d" | grep -c '^Документ')" -eq "$n" ] || { echo "undo incomplete" >&2; exit 1; }
  done
  printf '| %s | %.2f s | %.2f s | %.2f s |\n' "$n" "$(median "${dry[@]}")" "$(median "${ren[@]}")" \
    "$(median "${und[@]}")"
done
