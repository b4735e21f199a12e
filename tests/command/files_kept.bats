#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# No file is lost, replaced or wrongly moved, and every printed line is true
# on disk.
load helpers

@test "a file created at the new name while the run goes on is never replaced" {
  mkdir d
  for i in $(seq 1 300); do echo "mine $i" >"d/Щука $i.txt"; done
  # A competitor creates the same new names meanwhile, without replacing either.
  (set -C; for i in $(seq 300 -1 1); do echo theirs 2>/dev/null >"d/Shchuka $i.txt"; done) &
  run "$TRANSLIT" d
  wait
  for i in $(seq 1 300); do
    # Ours is under one of its two names, whole; theirs, if made, is theirs.
    if [ -e "d/Щука $i.txt" ]; then
      [ "$(cat "d/Щука $i.txt")" = "mine $i" ]
      grep -q "^theirs$" "d/Shchuka $i.txt"
    else
      [ "$(cat "d/Shchuka $i.txt")" = "mine $i" ]
    fi
  done
  # Every line printed as renamed is true.
  while IFS= read -r line; do
    [[ "$line" == *" -> "* ]] || continue
    new=${line#* -> }
    [ ! -e "${line%% -> *}" ]
    grep -q "^mine " "$new"
  done <<<"$output"
}

@test "a symlink is renamed as the link it is; a dangling link at the new name is kept" {
  mkdir target links
  make_files target/Щука.txt
  ln -s ../target/Щука.txt links/Ярлык.txt
  ln -s nowhere links/Shchuka.txt
  make_files links/Щука.txt
  run "$TRANSLIT" links/Ярлык.txt links/Щука.txt
  [ "$status" -eq 1 ]
  [ "$(readlink links/Yarlyk.txt)" = ../target/Щука.txt ]
  [ "$(entries target)" = "Щука.txt" ]
  [ "$(readlink links/Shchuka.txt)" = nowhere ]
  [ -e links/Щука.txt ]
  [[ "$output" == *"links/Щука.txt: not renamed: Shchuka.txt is taken"* ]]
}

@test "the named file is the one renamed: trailing dot or space, backslash, colon, .. through a link" {
  mkdir a real real/sub
  make_files Щука. Щука "Лещ " Лещ 'a\Щука' a/Щука Щука:Рыба.txt
  echo real >real/Окунь.txt
  echo top >Окунь.txt
  ln -s real/sub link
  run "$TRANSLIT" Щука. "Лещ " 'a\Щука' Щука:Рыба.txt link/../Окунь.txt
  [ "$status" -eq 0 ]
  [ "$(cat Shchuka.)" = Щука. ]
  [ "$(cat Щука)" = Щука ]
  [ "$(cat "Leshch ")" = "Лещ " ]
  [ "$(cat Лещ)" = Лещ ]
  [ "$(cat 'a\Shchuka')" = 'a\Щука' ]
  [ "$(entries a)" = Щука ]
  [ "$(cat Shchuka:Ryba.txt)" = Щука:Рыба.txt ]
  [[ "$output" == *"Щука:Рыба.txt -> Shchuka:Ryba.txt"* ]]
  [ "$(cat "real/Okun'.txt")" = real ]
  [ "$(cat Окунь.txt)" = top ]
  [[ "$output" == *"link/../Окунь.txt -> link/../Okun'.txt"* ]]
}

@test "another name of the same file, a name too long, an empty name: refused alike by -n and the rename" {
  make_files Щука.txt
  ln Щука.txt Shchuka.txt
  long=$(printf 'Щ%.0s' $(seq 1 120))
  make_files "$long"
  printf 'x\nL\nR\n\xfc \n' >empty.pch  # the rule "ь " (Windows-1251) removes ь
  make_files ь
  for dry in -n ""; do
    run "$TRANSLIT" $dry Щука.txt "$long"
    [ "$status" -eq 1 ]
    [[ "$output" == *"Щука.txt: not renamed: Shchuka.txt is taken"* ]]
    [[ "$output" == *"not renamed: the new name is too long for the file system (480 bytes, at most 255)"* ]]
    run "$TRANSLIT" $dry --profile ./empty.pch ь
    [ "$status" -eq 1 ]
    [[ "$output" == *"ь: not renamed: the new name would be empty"* ]]
  done
  [ "$(entries | tr '\n' '|')" = "Shchuka.txt|empty.pch|$long|Щука.txt|ь|" ]
}

@test "a letter-case-only rename happens, and the preview says so truly" {
  printf 'x\nL\nR\nabc ABC\n' >upper.pch
  make_files abc.txt
  run "$TRANSLIT" --case --profile ./upper.pch abc.txt
  [ "$status" -eq 0 ]
  [ "$output" = "abc.txt -> ABC.txt"$'\n'"1 renamed, 0 unchanged, 0 skipped" ]
  [ "$(entries | tr '\n' '|')" = "ABC.txt|upper.pch|" ]
}
