#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# Many files at once, and --undo putting a batch back exactly.
load helpers

@test "20,000 files in one folder are renamed, and --undo puts every one back" {
  mkdir d
  (cd d && python3 -c "
for i in range(20000): open(f'Файл {i} Щука.txt', 'w').write(str(i))")
  before=$(entries d | md5sum)
  run "$TRANSLIT" -q d
  [ "$status" -eq 0 ]
  [ "$(ls d | grep -c '^Fayl [0-9]* Shchuka.txt$')" -eq 20000 ]
  [ "$(cat 'd/Fayl 12345 Shchuka.txt')" = 12345 ]
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [[ "$output" == *"20000 put back, 0 not put back"* ]]
  [ "$(entries d | md5sum)" = "$before" ]
}

@test "--undo refuses a file whose old name is taken or that changed, keeps it for later, never redoes" {
  make_files Щука.txt Ёж.txt Лещ.txt
  "$TRANSLIT" -q Щука.txt Ёж.txt Лещ.txt
  make_files Щука.txt                     # the old name is taken again
  make_files other && mv -f other Yozh.txt  # another file at the new name
  run "$TRANSLIT" --undo
  [ "$status" -eq 1 ]
  [[ "$output" == *"Shchuka.txt: not put back: Щука.txt is taken"* ]]
  [[ "$output" == *"Yozh.txt: not put back: it has changed since"* ]]
  [ -e Лещ.txt ]
  [ -e Shchuka.txt ]
  rm Щука.txt
  run "$TRANSLIT" --undo
  [ "$status" -eq 1 ]
  [ "$(cat Щука.txt)" = Щука.txt ]
  rm Yozh.txt
  run "$TRANSLIT" --undo          # the file that changed stays refused; nothing is redone
  [ "$status" -eq 1 ]
  [[ "$output" == *"Yozh.txt: not put back: it has changed since (nothing is at"* ]]
  [ "$(entries | tr '\n' '|')" = "Лещ.txt|Щука.txt|" ]
}

@test "-n --undo says what would be put back and moves nothing" {
  make_files Щука.txt Ёж.txt
  "$TRANSLIT" -q Щука.txt Ёж.txt
  make_files Ёж.txt
  run "$TRANSLIT" -n --undo
  [ "$status" -eq 1 ]
  [[ "$output" == *"Yozh.txt: not put back: Ёж.txt is taken"* ]]
  [[ "$output" == *"dry run, nothing put back: 1 would be put back, 1 would not"* ]]
  [ "$(entries | tr '\n' '|')" = "Shchuka.txt|Yozh.txt|Ёж.txt|" ]
  rm Ёж.txt
  run "$TRANSLIT" --undo
  [ "$status" -eq 0 ]
  [ "$(entries | tr '\n' '|')" = "Ёж.txt|Щука.txt|" ]
}
