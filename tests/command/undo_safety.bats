#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# What --undo, the dry run and the output promise, tried as a careless and as
# a hostile user would: damaged and crafted journals, two undos at once, a
# reused inode, kills and Ctrl-C, a full or foreign state folder, folders
# swapped during -r, names that would forge lines.
load helpers
bats_require_minimum_version 1.5.0

command_binary() { printf '%s/dist/bin/translit' "$(dirname "$TRANSLIT")"; }
journal() { ls "$XDG_STATE_HOME"/translit/*.journal | tail -n 1; }
tool() { python3 "$BATS_TEST_DIRNAME/journal_tool.py" "$@"; }
# many_files FOLDER N: N files "Файл I.txt" holding I.
many_files() {
  mkdir -p "$1"
  python3 -c "
import sys
for i in range(int(sys.argv[2])): open(f'{sys.argv[1]}/Файл {i}.txt', 'w').write(str(i))" "$1" "$2"
}
# all_back FOLDER N: the folder holds exactly its N files, each under its own name.
all_back() {
  [ "$(ls "$1" | wc -l)" -eq "$2" ]
  [ "$(ls "$1" | grep -c '^Файл [0-9]*\.txt$')" -eq "$2" ]
  [ "$(cat "$1/Файл 7.txt")" = 7 ]
}
# wait_for_renames FOLDER: until the first file there has its new name.
wait_for_renames() {
  for _ in $(seq 200); do ls "$1" | grep -q '^Fayl' && return 0; sleep 0.02; done
  return 1
}

setup_file() { "$TRANSLIT" --version >/dev/null; }  # built before any test times it

@test "a damaged record is reported by its line; the rest is put back and the batch kept" {
  make_files Анна.txt Борис.txt Вера.txt Глеб.txt Дина.txt
  "$TRANSLIT" -q Анна.txt Борис.txt Вера.txt Глеб.txt Дина.txt
  tool damage "$(journal)" 3
  run "$TRANSLIT" --undo
  [ "$status" -eq 1 ]
  [[ "$output" == *".journal: line "*": damaged; kept in the journal"* ]]
  [[ "$output" == *"4 put back, 1 not put back"* ]]
  [ "$(entries | tr '\n' '|')" = "Vera.txt|Анна.txt|Борис.txt|Глеб.txt|Дина.txt|" ]
  [ -n "$(journal)" ]
  run "$TRANSLIT" --undo --list
  [[ "$output" == *", 1 damaged"* ]]
}

@test "a journal cut short in its header, by a run stopped as it began, holds no undo up" {
  make_files Щука.txt
  "$TRANSLIT" -q Щука.txt
  : >"$XDG_STATE_HOME/translit/20991231T000000.000000000Z-1.journal"
  printf 'translit jour' >"$XDG_STATE_HOME/translit/20991231T000000.000000001Z-2.journal"
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [ "$(entries)" = "Щука.txt" ]
}

@test "two undos at once put every file back once and leave no stale journal" {
  make_files Старый.txt
  "$TRANSLIT" -q Старый.txt  # an older batch, of another folder
  many_files d 3000
  "$TRANSLIT" -q -r d
  "$(command_binary)" -q --undo d & first=$!
  "$(command_binary)" -q --undo d & second=$!
  wait "$first"
  wait "$second"
  all_back d 3000
  # The lock lives in the private state folder, not beside it.
  [ -e "$XDG_STATE_HOME/translit/undo.lock" ]
  [ ! -e "$XDG_STATE_HOME/translitundo.lock" ]
  run "$TRANSLIT" --undo d
  [ "$status" -eq 0 ]
  [[ "$output" == *"nothing to undo"* ]]
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [ -e Старый.txt ]
}

@test "--undo refuses a new file that took the number of the one renamed" {
  make_files Щука.txt Лещ.txt
  "$TRANSLIT" -q Щука.txt
  # The file system may give the number of a removed file to the next one.
  python3 - <<'PY'
import os
number = os.lstat('Shchuka.txt').st_ino
os.unlink('Shchuka.txt')
for i in range(300):
    open('Shchuka.txt', 'w').write('new')
    if os.lstat('Shchuka.txt').st_ino == number:
        break
    os.rename('Shchuka.txt', f'spare {i}')
PY
  run "$TRANSLIT" --undo
  [ "$status" -eq 1 ]
  [[ "$output" == *"Shchuka.txt: not put back: it has changed since (another file is at "* ]]
  [ "$(cat Shchuka.txt)" = new ]
  [ ! -e Щука.txt ]
  # The same number for certain: the journal's birth time no longer matches.
  "$TRANSLIT" -q --undo --forget "$(basename "$(journal)" .journal)"
  "$TRANSLIT" -q Лещ.txt
  tool rebirth "$(journal)"
  run "$TRANSLIT" --undo
  [ "$status" -eq 1 ]
  [[ "$output" == *"Leshch.txt: not put back: it has changed since (another file is at "*"made after the rename)"* ]]
}

@test "-n --undo follows the undo's own order: a renamed folder, a chain of names" {
  mkdir -p Корень/Папка
  make_files Корень/Папка/Щука.txt Корень/Лещ.txt
  "$TRANSLIT" -q -r Корень
  [ -e Корень/Papka/Shchuka.txt ]
  run "$TRANSLIT" -n --undo
  [ "$status" -eq 0 ]
  [[ "$output" == *"dry run, nothing put back: 3 would be put back, 0 would not"* ]]
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [ "$(cat Корень/Папка/Щука.txt)" = Корень/Папка/Щука.txt ]
  # A chain: "2" becomes "3", then "1" takes the name "2" has given up.
  printf 'i\r\nl\r\nr\r\n1 2\r\n2 3\r\n' >chain.pch
  make_files 1 2
  printf '2\0001\000' | "$TRANSLIT" -q --profile ./chain.pch --from0 -
  [ "$(cat 3)" = 2 ]
  [ "$(cat 2)" = 1 ]
  run "$TRANSLIT" -n --undo
  [ "$status" -eq 0 ]
  [[ "$output" == *"2 would be put back, 0 would not"* ]]
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [ "$(cat 1)" = 1 ]
  [ "$(cat 2)" = 2 ]
}

@test "no journal, no rename: the state folder a file, unset, open to others, or full" {
  make_files Щука.txt
  touch state-file
  XDG_STATE_HOME=$PWD/state-file run "$TRANSLIT" Щука.txt
  [ "$status" -eq 2 ]
  [[ "$output" == *"no undo journal, nothing renamed"* ]]
  run env -u HOME -u XDG_STATE_HOME "$(command_binary)" Щука.txt
  [ "$status" -eq 2 ]
  [[ "$output" == *"neither XDG_STATE_HOME nor HOME is set"* ]]
  mkdir -p state/translit
  chmod 777 state/translit
  run "$TRANSLIT" Щука.txt
  [ "$status" -eq 2 ]
  [[ "$output" == *"may be written by others (mode 0777)"* ]]
  run "$TRANSLIT" --undo
  [ "$status" -eq 2 ]
  [ -e Щука.txt ]
  chmod 700 state/translit
  mkdir full
  mount -t tmpfs -o size=64k tmpfs full 2>/dev/null || skip "no tmpfs mount here"
  many_files d 3000
  XDG_STATE_HOME=$PWD/full run "$TRANSLIT" -q d
  renamed=$(ls d | grep -c '^Fayl' || true)
  XDG_STATE_HOME=$PWD/full "$TRANSLIT" -q --undo || true
  umount full
  [ "$status" -eq 1 ]
  [[ "$output" == *"stopped: no undo journal"* ]]
  [ "$renamed" -gt 0 ]
  all_back d 3000
}

@test "killed at any moment during 20,000 renames, --undo puts every file back (20 tries)" {
  for try in $(seq 20); do
    rm -rf d
    many_files d 20000
    "$(command_binary)" -q d & pid=$!
    sleep "0.$((RANDOM % 9 + 1))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" || true
    "$(command_binary)" -q --undo d || { echo "try $try: undo failed"; false; }
    all_back d 20000
  done
}

@test "the dry run and the rename refuse alike: immutable, sticky, a mount point, read-only" {
  make_files Щука.txt
  chattr +i Щука.txt 2>/dev/null || skip "no chattr here"
  run "$TRANSLIT" -n Щука.txt
  [ "$status" -eq 1 ]
  [[ "$output" == *"Щука.txt: not renamed: the file or its folder may not be changed"* ]]
  run "$TRANSLIT" Щука.txt
  chattr -i Щука.txt
  [ "$status" -eq 1 ]
  [[ "$output" == *"may not be changed"* ]]

  chmod 755 "$work"
  mkdir -m 1777 shared
  make_files shared/Лещ.txt
  mkdir -m 777 nobody-state
  as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups \
                  env XDG_STATE_HOME="$PWD/nobody-state" "$(command_binary)" "$@"; }
  run as_nobody -n shared/Лещ.txt
  [ "$status" -eq 1 ]
  [[ "$output" == *"Лещ.txt: not renamed: only its owner may rename it in this folder (sticky)"* ]]
  run as_nobody shared/Лещ.txt
  [ "$status" -eq 1 ]
  [ -e shared/Лещ.txt ]

  mkdir -p top/Точка
  mount -t tmpfs tmpfs top/Точка 2>/dev/null || skip "no tmpfs mount here"
  run "$TRANSLIT" -n -r top
  umount top/Точка
  [ "$status" -eq 1 ]
  [[ "$output" == *"top/Точка: not renamed: another file system is mounted there"* ]]

  mkdir ro
  make_files ro/Ёж.txt
  mount --bind ro ro && mount -o remount,bind,ro ro || skip "no read-only mount here"
  run "$TRANSLIT" -n ro/Ёж.txt
  umount ro
  [ "$status" -eq 1 ]
  [[ "$output" == *"ro/Ёж.txt: not renamed: the file system is read-only"* ]]
}

@test "a crafted record is refused: undo moves a file within its folder only" {
  mkdir -p a b "$XDG_STATE_HOME/translit"
  chmod 700 "$XDG_STATE_HOME/translit"
  make_files a/keep.txt
  tool forge "$XDG_STATE_HOME/translit/20990101T000000.000000000Z-1.journal" "$PWD/b/moved.txt" \
    "$PWD/a/keep.txt"
  run "$TRANSLIT" -n --undo
  [ "$status" -eq 1 ]
  [[ "$output" == *"a/keep.txt: not put back: the journal's record is damaged (its names are not in one folder)"* ]]
  run "$TRANSLIT" --undo
  [ "$status" -eq 1 ]
  [ -e a/keep.txt ]
  [ ! -e b/moved.txt ]
}

@test "-r is never led out of the tree by a folder swapped for a link during the run" {
  mkdir -p top/Б outside
  many_files top/А 20000
  make_files top/Б/Щ.txt outside/Щ.txt
  "$(command_binary)" -q -r top 2>err.txt & pid=$!
  wait_for_renames top/А
  mv top/Б top/Б.orig
  ln -s ../outside top/Б
  wait "$pid" || true
  [ -e outside/Щ.txt ]
  [ ! -e outside/Shch.txt ]
  [ -e top/Б.orig/Щ.txt ]
  grep -q "is no longer a folder" err.txt
}

@test "a name cannot forge a line: control characters escaped, --print0 raw" {
  make_files $'Щука\nsecret.txt -> deleted.txt' $'Лещ\r.txt' $'Ёж\e[2J.txt'
  run --separate-stderr "$TRANSLIT" -n .
  [ "$status" -eq 0 ]
  [ "${#lines[@]}" -eq 3 ]
  [[ "$output" != *$'\e'* ]]
  [[ "$output" == *"\$'./Щука\\nsecret.txt -> deleted.txt' -> \$'./Shchuka\\nsecret.txt -> deleted.txt'"* ]]
  [[ "$output" == *"\$'./Ёж\\E[2J.txt'"* ]]
  "$TRANSLIT" --print0 . >pairs 2>/dev/null
  python3 -c "
import sys
fields = open('pairs', 'rb').read().split(b'\0')
assert fields[-1] == b'' and len(fields) == 7, fields
assert './Лещ\r.txt'.encode() in fields and './Leshch\r.txt'.encode() in fields, fields"
}

@test "Ctrl-C ends the run between two files, with its summary and exit 130" {
  many_files d 20000
  "$(command_binary)" d >out.txt 2>err.txt & pid=$!
  wait_for_renames d
  kill -INT "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 130 ]
  grep -q "translit: interrupted after [0-9]* renames" err.txt
  grep -q "renamed, 0 unchanged, 0 skipped" err.txt
  # Every line printed is true.
  while IFS= read -r line; do [ -e "${line#* -> }" ]; done <out.txt
  "$TRANSLIT" -q --undo d
  all_back d 20000
}

@test "--undo takes the newest batch of this folder; --list, --batch and --forget" {
  mkdir a b
  make_files a/Щука.txt b/Лещ.txt
  (cd a && "$TRANSLIT" -q Щука.txt)
  (cd b && "$TRANSLIT" -q Лещ.txt)  # the newest batch
  (cd a && "$TRANSLIT" -q --undo)
  [ -e a/Щука.txt ]
  [ -e b/Leshch.txt ]
  run "$TRANSLIT" --undo --list
  [ "${#lines[@]}" -eq 1 ]
  [[ "$output" == *"$PWD/b  1 rename, 0 put back"* ]]
  id=${output%% *}
  mv b/Leshch.txt b/other.txt
  run "$TRANSLIT" --undo --batch "$id"
  [ "$status" -eq 1 ]
  [[ "$output" == *"--undo --forget $id drops them"* ]]
  run "$TRANSLIT" --undo --forget "$id"
  [ "$status" -eq 0 ]
  [[ "$output" == *"b/Leshch.txt: will never be put back to Лещ.txt"* ]]
  run "$TRANSLIT" --undo --list
  [ -z "$output" ]
}

@test "usage: the unknown option is named, -r / is refused, a FIFO is no profile, a path given twice is one" {
  run "$TRANSLIT" --reverse --bogus x
  [ "$status" -eq 2 ]
  [[ "$output" == *"unknown option --bogus"* ]]
  run "$TRANSLIT" -n -r /
  [ "$status" -eq 2 ]
  [[ "$output" == *"does not rename everything under the root"* ]]
  mkfifo pipe.pch
  run "$TRANSLIT" --profile ./pipe.pch x
  [ "$status" -eq 2 ]
  [[ "$output" == *"./pipe.pch: is a FIFO, not a profile"* ]]
  make_files Щука.txt
  run bash -c "printf 'Щука.txt\0Щука.txt\0' | '$TRANSLIT' --from0 -"
  [ "$status" -eq 0 ]
  [[ "$output" == *"1 renamed, 0 unchanged, 0 skipped"* ]]
}

@test "-r 1,400 folders deep: renamed, journaled past PATH_MAX, and put back" {
  python3 - <<'PY'
import os
os.mkdir('deep')
fd = os.open('deep', os.O_RDONLY)
for _ in range(1400):
    os.mkdir('Дом', dir_fd=fd)
    child = os.open('Дом', os.O_RDONLY, dir_fd=fd)
    os.close(fd)
    fd = child
with open(os.open('Щука.txt', os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd), 'w') as f:
    f.write('bottom')
PY
  run "$TRANSLIT" -q -r deep
  [ "$status" -eq 0 ]
  run "$TRANSLIT" -q --undo
  [ "$status" -eq 0 ]
  python3 - <<'PY'
import os
fd = os.open('deep', os.O_RDONLY)
for level in range(1400):
    assert os.listdir(fd) == ['Дом'], (level, os.listdir(fd))
    child = os.open('Дом', os.O_RDONLY, dir_fd=fd)
    os.close(fd)
    fd = child
assert os.listdir(fd) == ['Щука.txt']
PY
}
