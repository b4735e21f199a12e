#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The conventions of rename-like tools: options, dry run, lists of files,
# recursion, subcommands only on their own, summary and exit status.
load helpers

@test "-n and --dry-run rename nothing; -h and --version answer on stdout; an unknown option touches nothing" {
  make_files Щука.txt Ёж.txt
  for dry in -n --dry-run --preview; do
    run "$TRANSLIT" $dry Щука.txt Ёж.txt
    [ "$status" -eq 0 ]
    [[ "$output" == *"Щука.txt -> Shchuka.txt"* ]]
    [[ "$output" == *"dry run, nothing renamed: 2 would be renamed, 0 unchanged, 0 would be skipped" ]]
  done
  run "$TRANSLIT" --bogus Щука.txt
  [ "$status" -eq 2 ]
  [[ "$output" == *"unknown option --bogus"* ]]
  [ "$(entries | tr '\n' '|')" = "Ёж.txt|Щука.txt|" ]
  out=$("$TRANSLIT" -h 2>/dev/null)
  [[ "$out" == *"--dry-run"* ]]
  out=$("$TRANSLIT" --version 2>/dev/null)
  [[ "$out" == "translit "* ]]
  run "$TRANSLIT" -- -n
  [ "$status" -eq 1 ]
  [[ "$output" == *"-n: not renamed: no such file"* ]]
}

@test "subcommands count only alone; the script works through a symlink and builds nothing when current" {
  mkdir demo
  make_files demo/Щука.txt Ёж.txt
  ln -s "$TRANSLIT" tl
  run ./tl demo Ёж.txt
  [ "$status" -eq 0 ]
  [ "$(entries demo)" = Shchuka.txt ]
  [ -e Yozh.txt ]
  log=$(dirname "$(readlink -f "$TRANSLIT")")/build/translit-linux-build.log
  before=$(stat -c %Y "$log" 2>/dev/null || echo none)
  ./tl --version
  [ "$(stat -c %Y "$log" 2>/dev/null || echo none)" = "$before" ]
}

@test "--from0 takes find -print0 lists from a file and from standard input, newlines in names too" {
  mkdir d
  make_files d/Щука.txt "d/Ёж"$'\n'"Ёж.txt"
  find d -type f -name 'Щ*' -print0 >list
  find d -type f -name 'Ё*' -print0 | "$TRANSLIT" --from0 - --from0 list
  [ "$(entries d | tr '\n' '|')" = "Shchuka.txt|Yozh|Yozh.txt|" ]
}

@test "-r renames files before the folders holding them, deepest first, and keeps the named folder" {
  mkdir -p Папка/Подпапка/Глубже
  make_files Папка/Файл.txt Папка/Подпапка/Глубже/Щука.txt
  run "$TRANSLIT" -r Папка
  [ "$status" -eq 0 ]
  [ -e Папка/Fayl.txt ]
  [ -e Папка/Podpapka/Glubzhe/Shchuka.txt ]
  expected="Папка/Файл.txt -> Папка/Fayl.txt
Папка/Подпапка/Глубже/Щука.txt -> Папка/Подпапка/Глубже/Shchuka.txt
Папка/Подпапка/Глубже -> Папка/Подпапка/Glubzhe
Папка/Подпапка -> Папка/Podpapka
4 renamed, 0 unchanged, 0 skipped"
  [ "$output" = "$expected" ]
}

@test "names keep what Windows-1251 lacks; --list shows whole information lines" {
  make_files "Ёж 🐟 café.txt"
  run "$TRANSLIT" -q "Ёж 🐟 café.txt"
  [ "$status" -eq 0 ]
  [ -z "$output" ]
  [ -e "Yozh 🐟 café.txt" ]
  run "$TRANSLIT" --list
  [ "$status" -eq 0 ]
  [[ "$output" == *"standart.pch"* ]]
}

@test "a profile too large for memory is a clear error with exit 2" {
  truncate -s 300M huge.pch
  make_files Щука.txt
  run bash -c "ulimit -v 200000; '$TRANSLIT' --profile ./huge.pch Щука.txt"
  [ "$status" -eq 2 ]
  [[ "$output" == *"too large for memory"* ]]
  [ -e Щука.txt ]
}

@test "--check reports a profile's findings by line, exit 1; a clean profile exits 0" {
  printf 'i\r\nL\r\nR\r\nab x\r\nabc y\r\nq\r\n' >mine.pch
  run "$TRANSLIT" --check ./mine.pch
  [ "$status" -eq 1 ]
  [[ "$output" == *"./mine.pch: line 5, forward: never applies: line 4's left term \"ab\" is part of \"abc\""* ]]
  [[ "$output" == *"./mine.pch: line 6, both: no space"* ]]
  run "$TRANSLIT" --check gost-7.79-b.pch
  [ "$status" -eq 0 ]
  run "$TRANSLIT" --check absent.pch
  [ "$status" -eq 2 ]
}

@test "--check reads a profile at any depth, as --profile does, and names a missing one truly" {
  local part deep=.
  part=$(printf 'папка-%.0s' {1..10})
  for _ in 1 2 3 4 5; do deep+="/$part"; done
  mkdir -p "$deep"
  printf 'i\r\nL\r\nR\r\nab x\r\nabc y\r\n' >"$deep/mine.pch"
  [ "$(printf %s "$deep" | wc -m)" -gt 259 ]  # past the plug-in's own limit of characters
  run "$TRANSLIT" --check "$deep/mine.pch"
  [ "$status" -eq 1 ]
  [[ "$output" == *"mine.pch: line 5, forward: never applies"* ]]
  run "$TRANSLIT" --check "$deep/absent.pch"
  [ "$status" -eq 2 ]
  [[ "$output" == *"no profile $deep/absent.pch"* ]]
}

@test "--check passes every shipped profile; --check --reverse the reversible ones, and names a sequence" {
  local folder
  folder=$(dirname "$TRANSLIT")/profiles
  for profile in "$folder"/*.pch; do
    run "$TRANSLIT" -q --check "$(basename "$profile")"
    [ "$status" -eq 0 ] || { echo "$profile: $output"; false; }
  done
  for profile in gost-7.79-b.pch gost-16876-71.pch; do
    run "$TRANSLIT" -q --check --reverse "$profile"
    [ "$status" -eq 0 ] || { echo "$profile: $output"; false; }
  done
  # Shch read back letter by letter: "shch" comes back as "шч", not "щ".
  printf 'i\r\nl\r\nr\r\nщ shch\r\nш sh\r\nч ch\r\n' | iconv -t CP1251 >mine.pch
  run "$TRANSLIT" --check --reverse ./mine.pch
  [ "$status" -eq 1 ]
  [[ "$output" == *"reverse: the letters "* ]]
}
