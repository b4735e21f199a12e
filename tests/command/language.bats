#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The messages in the user's language: every one translated, Russian under
# a Russian locale, English otherwise; the help that helps.
load helpers

root=$(dirname "$(readlink -f "$TRANSLIT")")

# ru ARGS...: the command under LANG=ru_RU.UTF-8, as a Russian user has it.
ru() { env -u LC_ALL LANG=ru_RU.UTF-8 "$TRANSLIT" "$@"; }

@test "the catalogue: every message of the sources is in po/ru.po, translated, none fuzzy" {
  run "$root/tools/update-po.sh" --check
  [ "$status" -eq 0 ]
  [ -z "$output" ]
}

@test "under ru_RU.UTF-8 every line is Russian; no English text of the catalogue is left" {
  make_files Щука.txt Shchuka.txt Ёж.txt
  printf 'a\nb\n' >lines
  {
    ru --help
    ru -n -v Щука.txt Ёж.txt нет.txt Shchuka.txt
    ru Ёж.txt
    ru --undo
    ru --undo
    ru --profile gost-7.79b Ёж.txt
    ru --profile
    ru --from0 lines
    ru --frob
    ru -v -q a
    ru
    ru --list --undo
  } >all.txt 2>&1 || true
  grep -q '^Использование: translit \[ПАРАМЕТР\]... ФАЙЛ|ПАПКА...$' all.txt
  grep -q '^translit: Щука.txt: не переименован: имя Shchuka.txt уже занято$' all.txt
  grep -q '^translit: нет.txt: не переименован: нет такого файла$' all.txt
  grep -q '^Shchuka.txt (без изменений)$' all.txt
  grep -q '^переименовано: 1, без изменений: 0, пропущено: 0$' all.txt
  grep -q '^Yozh.txt -> Ёж.txt$' all.txt
  grep -q '^translit: отменять нечего$' all.txt
  grep -q 'может быть, gost-7.79-b.pch? (список профилей: --list)$' all.txt
  grep -q '^translit: после --profile нужно значение: ИМЯ|ПУТЬ$' all.txt
  grep -q 'может быть, нужен find -print0?)$' all.txt
  grep -q '^Подробнее: translit --help$' all.txt
  # The fixed words of every English message, from the template.
  local english
  english=$(msgcat --no-wrap "$root/po/translit.pot" | sed -n 's/^msgid "\(.*\)"$/\1/p' | sed 's/%[0-9$]*s/\n/g; s/\\n/\n/g' |
            grep -E '[a-z]{3,} [a-z]{2,}' | grep -v -e '--' -e 'find -print0' -e 'standart.pch' || true)
  [ -n "$english" ]
  while IFS= read -r text; do
    if grep -qF -- "$text" all.txt; then
      echo "English left: $text"
      return 1
    fi
  done <<<"$english"
}

@test "English otherwise, and --help gives usage, groups, examples and the folders in use" {
  run "$TRANSLIT" --help
  [ "$status" -eq 0 ]
  [ "${lines[0]}" = "Usage: translit [OPTION]... FILE|FOLDER..." ]
  [[ "$output" == *$'\nRenaming:\n  -p, --profile NAME|PATH   a profile by its name'* ]]
  [[ "$output" == *$'\nExamples:\n  translit -n *.txt '* ]]
  [[ "$output" == *$'\nProfiles (--profile NAME, --list), looked for in this order:\n  '"$work/data/translit/profiles/"$'\n  '"$root/dist/Plugins/rep_profiles/"* ]]
  [[ "$output" == *$'\nUndo journals: '"$work/state/translit/" ]]
  [[ "$output" != *Positionals* ]]
  # Descriptions start in one column and no line is over 79 characters.
  ! grep -v -x '.\{0,79\}' <<<"$output"
  LANGUAGE=ru run "$TRANSLIT" --version  # LANGUAGE alone, with LC_ALL=C.UTF-8, stays English
  [ "$output" = "translit 1.0.02" ]
}

@test "hints: the nearest profile and --list, find -print0 for a list of lines" {
  make_files Щука.txt
  run "$TRANSLIT" --profile gost-7.79b Щука.txt
  [ "$status" -eq 2 ]
  [[ "$output" == *"no profile gost-7.79b in $root/dist/Plugins/rep_profiles/ nor in the current folder; did you mean gost-7.79-b.pch? (--list shows the profiles)" ]]
  run "$TRANSLIT" --profile nothing-like-it Щука.txt
  [[ "$output" == *"nor in the current folder; --list shows the profiles" ]]
  ls | "$TRANSLIT" --from0 - 2>err && false
  [ "$(cat err)" = "translit: -: the list holds line breaks but no NUL byte; --from0 takes paths separated by NUL bytes (did you mean find -print0?)" ]
  [ -e Щука.txt ]
  printf 'Щука.txt' | "$TRANSLIT" -q --from0 -  # one path, no separator at all
  [ -e Shchuka.txt ]
}

@test "a profile of the user's own hides the shipped one of its name; undo shows paths as given" {
  mkdir -p "$work/data/translit/profiles" d
  printf 'mine\r\nl\r\nr\r\nЩ Sch\r\n' | iconv -f UTF-8 -t CP1251 >"$work/data/translit/profiles/standart.pch"
  make_files d/Щука.txt
  "$TRANSLIT" -q d/Щука.txt
  [ -e d/Schука.txt ]
  run "$TRANSLIT" --list
  [[ "$output" == *$'standart.pch\n    mine\n'* ]]
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [ "${lines[0]}" = "d/Schука.txt -> d/Щука.txt" ]
}
