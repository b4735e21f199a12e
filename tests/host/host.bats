#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# translit-host.exe on real files with Russian names, under wine, as a user
# runs it from cmd.exe: paths relative to the current folder, or Z:\...

setup_file() {
  export HOST_DIR="$BATS_FILE_TMPDIR/host"
  mkdir -p "$HOST_DIR/Plugins/rep_profiles"
  cp "$HOST_EXE" "$HOST_DIR/translit-host.exe"
  cp "$HOST_DLL" "$HOST_DIR/Plugins/translit.dll"
  cp "$HOST_PROFILES/standart.pch" "$HOST_DIR/Plugins/rep_profiles/"
}

setup() {
  rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Translit  # no journal of another test
  cd "$BATS_TEST_TMPDIR" || return 1
}

# host ARGS...: runs translit-host; $status, $out (stdout), $err (stderr).
# Output goes through files, and bats' own descriptor 3 is closed: wine's
# helper processes outlive the program and would hold them open.
# wine takes the ANSI code page from LC_CTYPE (1251, for the Russian names)
# and the UI language from LC_MESSAGES: English, which the tests read,
# unless a test sets ui=ru_RU.UTF-8.
host() {
  status=0
  env -u LC_ALL LC_CTYPE=ru_RU.UTF-8 LC_MESSAGES="${ui:-en_US.UTF-8}" \
    wine "${exe:-$HOST_DIR/translit-host.exe}" "$@" <"${stdin:-/dev/null}" >stdout.txt 2>stderr.txt 3>&- ||
    status=$?
  out=$(cat stdout.txt) err=$(cat stderr.txt)
  rm stdout.txt stderr.txt
}

# make NAME...: each file holds its own name.
make_files() {
  local name
  for name in "$@"; do mkdir -p "$(dirname "$name")" && printf '%s\n' "$name" >"$name"; done
}

entries() { (cd "${1:-.}" && LC_ALL=C ls -A1 | tr '\n' '|'); }
winpath() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }

@test "renames every file, printing the user's own paths, and keeps the contents" {
  make_files f/Щукин.txt f/Отчёт.doc f/Shchuka.txt
  host 'f\Щукин.txt' f/Отчёт.doc f/Shchuka.txt
  [ "$status" -eq 0 ]
  [ "$(entries f)" = "Otchyot.doc|Shchuka.txt|Shchukin.txt|" ]
  [ "$out" = $'f\\Щукин.txt -> f\\Shchukin.txt\nf/Отчёт.doc -> f/Otchyot.doc' ]
  [ "$err" = "2 renamed, 1 unchanged, 0 skipped" ]
  [ "$(cat f/Shchukin.txt)" = f/Щукин.txt ]
  host -v f/Shchuka.txt
  [ "$out" = "f/Shchuka.txt (unchanged)" ]
}

@test "-n, --dry-run and --preview rename nothing and refuse what the rename refuses" {
  make_files Щука.txt Shchuka.txt Ёж.txt Жук.txt ЖУК.txt
  for flag in -n --dry-run --preview; do
    host "$flag" Щука.txt Ёж.txt Жук.txt ЖУК.txt
    [ "$status" -eq 1 ]
    [ "$out" = $'Ёж.txt -> Yozh.txt\nЖук.txt -> Zhuk.txt' ]
    [[ "$err" == *"translit-host: Щука.txt: not renamed: Shchuka.txt is taken"* ]]
    [[ "$err" == *"ЖУК.txt: not renamed: its new name is also the new name of Жук.txt"* ]]
    [[ "$err" == *"dry run, nothing renamed: 2 would be renamed, 0 unchanged, 2 would be skipped" ]]
  done
  [ "$(entries)" = "Shchuka.txt|Ёж.txt|ЖУК.txt|Жук.txt|Щука.txt|" ]
  host Щука.txt Ёж.txt Жук.txt ЖУК.txt
  [ "$status" -eq 1 ]
  [ "$out" = $'Ёж.txt -> Yozh.txt\nЖук.txt -> Zhuk.txt' ]
  [ "$(cat Shchuka.txt)" = Shchuka.txt ]
  [ -e Щука.txt ]
  [ -e ЖУК.txt ]
}

@test "a name that Windows-1251 cannot hold is skipped, never mangled" {
  make_files 日本語.txt Ёлка.txt
  host 日本語.txt Ёлка.txt
  [ "$status" -eq 1 ]
  [ "$(entries)" = "Yolka.txt|日本語.txt|" ]
  [[ "$err" == *"日本語.txt: not renamed: the name holds characters outside Windows-1251"* ]]
}

@test "names Windows would alter or take for a device: the preview and the rename agree" {
  # Every new name below ends in a dot or a space, names a device or holds ':'.
  printf 'i\r\nl\r\nr\r\nЖ .\r\nЩ /s\r\nК CON\r\nЦ NUL\r\nФ a:b\r\n' | iconv -t CP1251 >dev.pch
  make_files a/ГрибЖ a/ЛещЩ a/К.txt a/Ц a/Ф.txt
  host -n --profile "$(winpath dev.pch)" a/*
  local preview=$err
  host --profile "$(winpath dev.pch)" a/*
  [ "$status" -eq 1 ]
  [ "$err" = "${preview/dry run, nothing renamed: 0 would be renamed, 0 unchanged, 5 would be skipped/0 renamed, 0 unchanged, 5 skipped}" ]
  [[ "$err" == *"a/ГрибЖ: not renamed: the new name would end in a dot or a space, which Windows drops"* ]]
  [[ "$err" == *"a/ЛещЩ: not renamed: the new name would end in a dot or a space"* ]]
  [[ "$err" == *"a/К.txt: not renamed: CON.txt is a device name"* ]]
  [[ "$err" == *"a/Ц: not renamed: NUL is a device name"* ]]
  [[ "$err" == *'a/Ф.txt: not renamed: the new name would hold a ":"'* ]]
  [ "$(entries a)" = "ГрибЖ|К.txt|ЛещЩ|Ф.txt|Ц|" ]
  # The profile was lent to the plug-in through a temporary host folder, now gone.
  [ -z "$(find "$WINEPREFIX"/drive_c/users/*/Temp -name 'translit-host-*')" ]
}

@test "a name ending in a dot or a space is refused, never taken for its twin without them" {
  make_files Щука. Щука 'Лещ ' Лещ
  host Щука. 'Лещ '
  [ "$status" -eq 1 ]
  [ -z "$out" ]
  [ "$(entries)" = "Лещ|Лещ |Щука|Щука.|" ]
  [[ "$err" == *"Щука.: not renamed: Windows cannot open a name ending in a dot or a space"* ]]
  [[ "$err" == *"Лещ : not renamed: Windows cannot open a name ending in a dot or a space"* ]]
}

@test "a change of letter case only that the file system ignores is reported, not claimed" {
  printf 'i\r\nl\r\nr\r\nф Ф\r\n' | iconv -t CP1251 >case.pch
  make_files фото.txt
  host --case --profile "$(winpath case.pch)" фото.txt  # wine on a Linux disk keeps "фото.txt"
  [ "$status" -eq 1 ]
  [ -z "$out" ]
  [ "$(cat фото.txt)" = фото.txt ]
  [[ "$err" == *"фото.txt: not renamed: the file system kept the old letter case"* ]]
  host --undo
  [[ "$err" == *"nothing to undo"* ]]
}

@test "a new path over 259 characters: the preview and the rename agree" {
  # The old path is 259 characters long; "Щ" becomes "Shch".
  local deep name
  deep=$(printf 'd%.0s' {1..150})
  name=$(printf 'x%.0s' $(seq $((259 - ${#BATS_TEST_TMPDIR} - 2 - 1 - 150 - 1 - 5))))Щ.txt
  make_files "$deep/$name" "$deep/Ж.txt"
  [ ${#name} -gt 50 ]
  [ "$(winpath "$deep/$name" | wc -m)" -eq 259 ]
  host -n "$deep"
  local preview=$err
  host "$deep"
  [ "$status" -eq 1 ]
  [ "$err" = "${preview/dry run, nothing renamed: 1 would be renamed, 0 unchanged, 1 would be skipped/1 renamed, 0 unchanged, 1 skipped}" ]
  [[ "$err" == *"$name: not renamed: the new path would be longer than 259 characters"* ]]
  [ "$(entries "$deep")" = "Zh.txt|$name|" ]
}

@test "a run over a second shows a progress line on a console, cleared before the summary" {
  # Enough files for a dry run of over a second, however fast process is.
  mkdir d && (cd d && python3 -c "[open(f'Файл {i}.txt', 'w').close() for i in range(20000)]")
  # script gives wine a terminal, which wine turns into a console.
  local run="env -u LC_ALL LC_CTYPE=ru_RU.UTF-8 wine '$HOST_DIR/translit-host.exe' -n d </dev/null >/dev/null 3>&-"
  LC_MESSAGES=en_US.UTF-8 script -qc "$run" /dev/null >tty.txt
  # (wine's console drops a carriage return at the start of a line: the
  # first progress line may come without one)
  grep -q '[0-9,]* of 20,000 files' tty.txt
  grep -q $'\r\e\\[K.*dry run, nothing renamed: 20,000 would be renamed' tty.txt
  # Russian, through the console's UTF-16, whatever its code page.
  LC_MESSAGES=ru_RU.UTF-8 script -qc "$run" /dev/null >tty.txt
  grep -q $'файлов: [0-9\u00a0]* из 20\u00a0000' tty.txt
  grep -q $'\r\e\\[K.*пробный запуск, ничего не переименовано. Было бы переименовано: 20\u00a0000' tty.txt
  host -n d  # standard error is a file: no progress line
  [ "$status" -eq 0 ]
  [ "$err" = "dry run, nothing renamed: 20,000 would be renamed, 0 unchanged, 0 would be skipped" ]
}

@test "wildcards are expanded as cmd.exe users expect; a pattern matching nothing is no file" {
  make_files f/Щука.txt f/Ёж.txt f/Лещ.doc
  host --preview "$(winpath f)\\*.txt"
  [ "$status" -eq 0 ]
  [[ "$out" == *'f\Ёж.txt -> Z:'*'f\Yozh.txt'* ]]
  [[ "$out" != *Лещ* ]]
  host 'f\*.txt' 'f\*.none'
  [ "$status" -eq 1 ]
  [ "$(entries f)" = "Shchuka.txt|Yozh.txt|Лещ.doc|" ]
  [[ "$err" == *'f\*.none: not renamed: no such file'* ]]
}

@test "-h and --version on standard output; an unknown option is named, nothing touched" {
  make_files Щука.txt
  host -h
  [ "$status" -eq 0 ]
  [[ "$out" == *"--dry-run"* && "$out" == *"--from0"* ]]
  [ -z "$err" ]
  host --version
  [ "$status" -eq 0 ]
  [ "$out" = "translit-host 1.0.02" ]
  host --info  # alone: the plug-in's identity record
  [ "$status" -eq 0 ]
  [[ "$out" == "Version:      1.0.02"$'\n'"Name:         Транслит"* ]]
  host Щука.txt --frob
  [ "$status" -eq 2 ]
  [[ "$err" == *"unknown option --frob"* ]]
  [ -e Щука.txt ]
}

@test "--from0 takes NUL-separated paths from a file or standard input" {
  make_files "a b/Щука.txt" "Ёж.txt" "Лещ.txt"
  printf 'a b/Щука.txt\0Ёж.txt\0' >list
  host --from0 list
  [ "$status" -eq 0 ]
  [ "$(entries "a b")" = "Shchuka.txt|" ]
  [ -e Yozh.txt ]
  printf 'Лещ.txt\0' | stdin=/dev/stdin host --from0 -
  [ "$status" -eq 0 ]
  [ -e Leshch.txt ]
  host --from0 absent.list
  [ "$status" -eq 2 ]
}

@test "-r: files before their folder, deepest first; the named folder keeps its name" {
  make_files "Корень/Ёж.txt" "Корень/Папка/Щука.txt" "Корень/Папка/Вложенная/Лещ.txt" "Корень/Дом/Кот"
  host -r Корень
  [ "$status" -eq 0 ]
  [ "$out" = "$(printf '%s\n' 'Корень\Ёж.txt -> Корень\Yozh.txt' 'Корень\Дом\Кот -> Корень\Дом\Kot' \
    'Корень\Дом -> Корень\Dom' 'Корень\Папка\Щука.txt -> Корень\Папка\Shchuka.txt' \
    'Корень\Папка\Вложенная\Лещ.txt -> Корень\Папка\Вложенная\Leshch.txt' \
    'Корень\Папка\Вложенная -> Корень\Папка\Vlozhennaya' 'Корень\Папка -> Корень\Papka')" ]
  [ "$(cat Корень/Papka/Vlozhennaya/Leshch.txt)" = "Корень/Папка/Вложенная/Лещ.txt" ]
  host Корень
  [ "$status" -eq 0 ]
  [ "$err" = "0 renamed, 1 unchanged, 0 skipped" ]
}

@test "profiles: whole information lines, a profile of one's own, a missing one, reverse, --check" {
  local long
  long=$(printf 'Длинная строка %.0s' {1..60})
  printf '%s\tтаб\r\nl\r\nr\r\nЩ Sch\r\n' "$long" | iconv -f UTF-8 -t CP1251 >свой.pch
  cp свой.pch "$HOST_DIR/Plugins/rep_profiles/own.pch"
  host --list
  rm "$HOST_DIR/Plugins/rep_profiles/own.pch"
  [ "$status" -eq 0 ]
  [[ "$out" == *"own.pch"$'\n'"    $long^Iтаб"$'\n'* ]]
  [[ "$out" == *"Стандартный профиль"* ]]
  make_files Щука.txt
  host --profile absent.pch Щука.txt
  [ "$status" -eq 2 ]
  [[ "$err" == *"no profile absent.pch"* ]]
  [ -e Щука.txt ]
  host --profile свой.pch Щука.txt
  [ "$status" -eq 0 ]
  [ -e Schука.txt ]
  host --reverse --profile свой.pch Schука.txt
  [ "$status" -eq 0 ]
  [ -e Щука.txt ]
  [ ! -e Schука.txt ]
  printf 'i\r\nl\r\nr\r\nab x\r\nabc y\r\n' >c.pch
  host --check c.pch
  [ "$status" -eq 1 ] &&
    [ "$out" = "c.pch: line 5, forward: never applies: line 4's left term \"ab\" is part of \"abc\" and is replaced first" ]
  host --check свой.pch
  [ "$status" -eq 0 ]
  [ -z "$out" ]
  [ "$err" = "свой.pch: no findings" ]
  host --check absent.pch
  [ "$status" -eq 2 ]
}

@test "--undo puts the batch back exactly, refuses a taken old name, never redoes" {
  make_files Окунь.txt d/Щука.txt d/Ёж.txt d/Лещ.txt
  host -q Окунь.txt  # the batch before
  host -q -r d
  [ "$status" -eq 0 ]
  [ -z "$out$err" ]
  [ "$(entries d)" = "Leshch.txt|Shchuka.txt|Yozh.txt|" ]
  make_files d/Ёж.txt  # the old name is taken again
  host --undo
  [ "$status" -eq 1 ]
  [[ "$err" == *"Yozh.txt: not put back: Ёж.txt is taken"* ]]
  [[ "$err" == *"2 put back, 1 not put back"* ]]
  [ "$(cat d/Щука.txt)" = d/Щука.txt ]
  rm d/Ёж.txt
  host --undo  # the refused file stays in the journal
  [ "$status" -eq 0 ]
  [ "$(entries d)" = "Ёж.txt|Лещ.txt|Щука.txt|" ]
  host --undo  # the batch is done with: the one before is next, nothing is redone
  [ "$status" -eq 0 ]
  [ "$(entries d)" = "Ёж.txt|Лещ.txt|Щука.txt|" ]
  [ -e Окунь.txt ]
  host --undo
  [ "$status" -eq 0 ]
  [[ "$err" == *"nothing to undo"* ]]
  [ "$(entries d)" = "Ёж.txt|Лещ.txt|Щука.txt|" ]
}

@test "a profile too large for memory: a clear message, exit 2, nothing renamed" {
  make_files Щука.txt
  truncate -s 1500M "$HOST_DIR/Plugins/rep_profiles/huge.pch"  # sparse; its first line never ends
  host --profile huge.pch Щука.txt
  rm "$HOST_DIR/Plugins/rep_profiles/huge.pch"
  [ "$status" -eq 2 ]
  [ "$err" = "translit-host: out of memory: the profile huge.pch does not fit in memory" ]
  [ -e Щука.txt ]
}

@test "speaks the UI language: Russian on a Russian Windows, English otherwise; undo shows paths as given" {
  make_files Щука.txt
  ui=ru_RU.UTF-8 host -n Щука.txt нет.txt
  [ "$status" -eq 1 ]
  [ "$out" = "Щука.txt -> Shchuka.txt" ]
  [ "$err" = $'translit-host: нет.txt: не переименован: нет такого файла\nпробный запуск, ничего не переименовано. Было бы переименовано: 1, без изменений: 0, было бы пропущено: 1' ]
  ui=ru_RU.UTF-8 host --help
  [ "$status" -eq 0 ]
  [[ "$out" == "Использование: translit-host [ПАРАМЕТР]... ФАЙЛ|ПАПКА..."* ]]
  [[ "$out" == *"Примеры:"* ]]
  [[ "$out" == *"Журналы отмены: C:\\users\\"*"\\Translit\\"* ]]
  ui=ru_RU.UTF-8 host --profile standart Щука.txt
  [ "$status" -eq 2 ]
  [[ "$err" == *"профиля standart нет ни в Z:\\"*"\\Plugins\\rep_profiles\\, ни в текущей папке; может быть, standart.pch? (список профилей: --list)" ]]
  host --help
  [[ "$out" == "Usage: translit-host [OPTION]... FILE|FOLDER..."* ]]
  [[ "$out" == *"Examples:"* ]]
  host Щука.txt
  ui=ru_RU.UTF-8 host --undo
  [ "$status" -eq 0 ]
  [ "$out" = "Shchuka.txt -> Щука.txt" ]
  [ "$err" = "возвращено: 1, не возвращено: 0" ]
}

@test "away from Plugins it names the folder it looked in" {
  mkdir alone
  cp "$HOST_DIR/translit-host.exe" alone/
  make_files Щука.txt
  exe=alone/translit-host.exe host Щука.txt
  [ "$status" -eq 2 ]
  [[ "$err" == *"translit-host: no Plugins folder in $(winpath alone)\\, the folder of translit-host.exe: keep the program beside Plugins" ]]
  [ -e Щука.txt ]
}

@test "-t transliterates arguments, UTF-8 and Windows-1251 input through the same engine" {
  host -t Щукин Юрий
  [ "$status" -eq 0 ]
  [ "$out" = "Shchukin Yuriy" ]
  printf 'Щукин Юрий\nЁж 🐟\n' >utf8.txt
  stdin=utf8.txt host -t
  [ "$out" = $'Shchukin Yuriy\nYozh 🐟' ]
  printf '\xd9\xf3\xea\xe0 \xb8\xe6\r\n' >cp1251.txt  # "Щука ёж" in the ANSI code page
  stdin=cp1251.txt host -t
  [ "$status" -eq 0 ]
  [ "$out" = $'Shchuka yozh\r' ]
  utf16() { python3 -c "import sys; sys.stdout.buffer.write(sys.argv[1].encode('utf-16'))" "$1"; }
  utf16 $'Щука\n' >utf16.txt  # with its byte-order mark
  utf16 $'Shchuka\n' >expected.txt
  wine "$HOST_DIR/translit-host.exe" -t <utf16.txt >out16.txt 2>/dev/null 3>&-
  cmp out16.txt expected.txt
}

@test "decomposed names, lookalike apostrophes and UTF-8 profiles, as the Linux command takes them" {
  cp "$HOST_PROFILES/ukrainian-2010.pch" "$HOST_DIR/Plugins/rep_profiles/"
  nfd=$(python3 -c 'import unicodedata; print(unicodedata.normalize("NFD", "Йошкар-Ола ёлка.txt"))')
  make_files "$nfd" 'Марʼїне.txt'
  host "$nfd"
  [ "$status" -eq 0 ]
  [ "$out" = "$nfd -> Yoshkar-Ola yolka.txt" ]
  host --profile ukrainian-2010.pch 'Марʼїне.txt'
  [ "$status" -eq 0 ]
  [ "$(cat Marine.txt)" = 'Марʼїне.txt' ]
  host -t --profile ukrainian-2010.pch "Марʼїне Мар'їне"
  rm "$HOST_DIR/Plugins/rep_profiles/ukrainian-2010.pch"
  [ "$out" = "Marine Marine" ]

  printf 'Мой\r\nК\r\nЛ\r\nЩ Shch\r\nщ shch\r\nу u\r\nк k\r\nа a\r\n' >utf8.pch
  iconv -f UTF-8 -t CP1251 utf8.pch >cp1251.pch
  mkdir a b
  make_files a/Щука.txt b/Щука.txt
  host --profile .\\cp1251.pch a/Щука.txt
  [ "$out" = "a/Щука.txt -> a/Shchuka.txt" ]
  host --profile .\\utf8.pch b/Щука.txt
  [ "$status" -eq 0 ]
  [ "$out" = "b/Щука.txt -> b/Shchuka.txt" ]
  [[ "$err" == "translit-host: note: .\\utf8.pch is UTF-8: read as such; the plug-in reads Windows-1251 only"* ]]
  host --check .\\utf8.pch
  [ "$status" -eq 1 ]
  [[ "$out" == *"UTF-8: the plug-in reads Windows-1251 only"* ]]
}

@test "names that keep Cyrillic letters are counted, naming a shipped profile that covers them" {
  cp "$HOST_PROFILES/ukrainian-2010.pch" "$HOST_DIR/Plugins/rep_profiles/"
  make_files Їжак.txt Щука.txt
  host -n Їжак.txt Щука.txt
  covered=$err
  host -t 'Ђорђе'
  rm "$HOST_DIR/Plugins/rep_profiles/ukrainian-2010.pch"
  [[ "$covered" == *$'\n1 name keeps letters the profile does not cover: Ї (ukrainian-2010.pch covers them)' ]]
  [ "$status" -eq 0 ]
  [ "$out" = "Ђorђe" ]
  [ "$err" = "1 line keeps letters the profile does not cover: Ђ" ]
  host -n Їжак.txt Щука.txt
  [[ "$err" == *$'would be skipped\n1 name keeps letters the profile does not cover: Ї' ]]
}

journal() { ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/Translit/*.journal | tail -n 1; }

@test "undo: a damaged record is reported and kept; -n --undo follows the undo's order; two at once" {
  make_files Анна.txt Борис.txt Вера.txt
  host -q Анна.txt Борис.txt Вера.txt
  python3 "$BATS_TEST_DIRNAME/../command/journal_tool.py" damage "$(journal)" 2
  host --undo
  [ "$status" -eq 1 ]
  [[ "$err" == *": line "*": damaged; kept in the journal"* ]]
  [ "$(entries)" = "Boris.txt|Анна.txt|Вера.txt|" ]
  host --undo --forget "$(basename "$(journal)" .journal)"
  [ "$status" -eq 0 ]
  mkdir -p Корень/Папка
  make_files Корень/Папка/Щука.txt
  host -q -r Корень
  host -n --undo
  [ "$status" -eq 0 ]
  [[ "$err" == *"2 would be put back, 0 would not"* ]]
  mkdir d && (cd d && python3 -c "[open(f'Файл {i}.txt', 'w') for i in range(300)]")
  host -q d
  wine "$HOST_DIR/translit-host.exe" -q --undo >/dev/null 2>&1 3>&- & first=$!
  wine "$HOST_DIR/translit-host.exe" -q --undo >/dev/null 2>&1 3>&- & second=$!
  wait "$first"
  wait "$second"
  [ "$(ls d | grep -c '^Файл [0-9]*\.txt$')" -eq 300 ]
  host --undo  # the batch before: the folder renamed with -r
  [ "$status" -eq 0 ]
  [ -e Корень/Папка/Щука.txt ]
}

@test "usage: /? gives the help, the unknown option is the one named" {
  host '/?'
  [ "$status" -eq 0 ]
  [[ "$out" == *"--dry-run"* ]]
  host --reverse --bogus x
  [ "$status" -eq 2 ]
  [[ "$err" == *"unknown option --bogus"* ]]
}
