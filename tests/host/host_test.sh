#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The command-line host on real files with Russian names, under wine and
# without an X display. Usage: host_test.sh HOST_EXE DLL PROFILES_DIR REPORT_XML
set -uo pipefail
host_exe=$1 dll=$2 profiles=$3 report=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../tools/wine-env.sh"
unset DISPLAY  # renaming files needs no display

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/host/Plugins/rep_profiles" "$work/files"
cp "$host_exe" "$work/host/translit-host.exe"
cp "$dll" "$work/host/Plugins/translit.dll"
cp "$profiles"/standart.pch "$work/host/Plugins/rep_profiles/"

passed=0 failed=0 cases=""
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then
    passed=$((passed + 1)); cases+="<testcase name=\"$name\"/>"
  else
    failed=$((failed + 1)); cases+="<testcase name=\"$name\"><failure/></testcase>"
    echo "FAILED: $name"; echo "$out"
  fi
}

# Runs the host on Linux paths (as translit.sh does) and keeps its output.
run() {
  local args=() arg
  for arg in "$@"; do
    [[ "$arg" == --* ]] || { arg="Z:${arg//\//\\}"; }
    args+=("$arg")
  done
  out=$(wine "$work/host/translit-host.exe" "${args[@]}" 2>&1 </dev/null)
  status=$?
}
files() { ls -1 "$work/files" | tr '\n' '|'; }
fresh() { rm -rf "$work/files"; mkdir "$work/files"; for n in "$@"; do echo "$n" >"$work/files/$n"; done; }

# ---- Renaming
fresh "Щукин.txt" "Отчёт.doc"
run "$work/files/Щукин.txt" "$work/files/Отчёт.doc"
check renames_every_file_and_exits_0 test "$status" = 0 -a "$(files)" = "Otchyot.doc|Shchukin.txt|"
check prints_old_and_new_names grep -q "Щукин.txt -> Shchukin.txt" <<<"$out"
check keeps_the_contents test "$(cat "$work/files/Shchukin.txt")" = "Щукин.txt"

# ---- Preview flags collisions and renames nothing
fresh "Щука.txt" "ЩУКА.txt" "Shchuka.txt" "Ёж.txt"
run --preview "$work/files/Щука.txt" "$work/files/Ёж.txt"
check preview_flags_a_name_already_taken grep -q "Щука.txt -> Shchuka.txt  \[name already taken\]" <<<"$out"
check preview_exits_1_on_a_collision test "$status" = 1
check preview_renames_nothing test "$(files)" = "Shchuka.txt|Ёж.txt|Щука.txt|ЩУКА.txt|"
fresh "Жук.txt" "ЖУК.txt"
run --preview "$work/files/Жук.txt" "$work/files/ЖУК.txt"
check preview_flags_two_files_sharing_a_new_name grep -q "\[also the new name of Жук.txt\]" <<<"$out"

# ---- A rename onto an existing name fails, and says why
fresh "Щука.txt" "Shchuka.txt"
echo theirs >"$work/files/Shchuka.txt"
run "$work/files/Щука.txt"
check a_taken_name_is_not_overwritten test "$(cat "$work/files/Shchuka.txt")" = theirs -a -e "$work/files/Щука.txt"
check a_taken_name_is_reported grep -q "not renamed, Shchuka.txt already exists" <<<"$out"
check a_failed_rename_exits_1 test "$status" = 1

# ---- A name that Windows-1251 cannot hold is skipped, never mangled
fresh "日本語.txt" "Ёлка.txt"
run "$work/files/日本語.txt" "$work/files/Ёлка.txt"
check a_name_outside_1251_is_skipped test "$(files)" = "Yolka.txt|日本語.txt|"
check a_name_outside_1251_is_reported grep -q "outside Windows-1251" <<<"$out"

# ---- A folder stands for the files in it
fresh "Щука.txt" "Ёж.txt"
mkdir "$work/files/Папка"
run "$work/files"
check a_folder_means_its_files test "$(files)" = "Shchuka.txt|Yozh.txt|Папка|"

# ---- Profiles
run --list
check list_shows_profiles_with_their_information grep -q "Стандартный профиль" <<<"$out"
fresh "Щука.txt"
run --profile absent.pch "$work/files/Щука.txt"
check a_missing_profile_is_a_set_up_error test "$status" = 2 -a -e "$work/files/Щука.txt"
run --reverse "$work/files/Щука.txt"
check reverse_leaves_cyrillic_alone test "$(files)" = "Щука.txt|"
fresh "Shchuka Zhuk.txt"
run --reverse "$work/files/Shchuka Zhuk.txt"
check reverse_turns_latin_back test "$(files)" = "Щука Жук.txt|"

echo "$passed passed, $failed failed"
printf '<testsuites tests="%d" failures="%d">%s</testsuites>\n' \
  $((passed + failed)) "$failed" "$cases" >"$report"
[ "$failed" = 0 ]
