#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The text filter (-t), and names as they really come: decomposed, in
# Windows-1251 bytes, with lookalike apostrophes, by UTF-8 profiles, and
# with letters the profile does not cover.
load helpers

profiles() { echo "$(dirname "$(readlink -f "$TRANSLIT")")/dist/Plugins/rep_profiles"; }
nfd() { python3 -c 'import sys, unicodedata; print(unicodedata.normalize("NFD", sys.argv[1]), end="")' "$1"; }

@test "-t reads standard input or its arguments and writes the transliteration" {
  [ "$(echo 'Щукин Юрий' | "$TRANSLIT" -t)" = "Shchukin Yuriy" ]
  [ "$("$TRANSLIT" -t 'Щука')" = "Shchuka" ]
  [ "$("$TRANSLIT" --text Щукин Юрий)" = "Shchukin Yuriy" ]
  [ "$(printf 'Ёж 🐟 café\nЩУКИН' | "$TRANSLIT" -t)" = $'Yozh 🐟 café\nSHCHUKIN' ]
  [ "$(echo 'Shchukin Yuriy' | "$TRANSLIT" -t --reverse)" = "Щукин Юрий" ]
  [ "$(echo 'Щукин' | "$TRANSLIT" -t --profile gost-7.79-b.pch)" = "Shhukin" ]
  run "$TRANSLIT" -t -n
  [ "$status" -eq 2 ]
}

# renamed_and_texted PROFILE FLAG WORD...: "WORD -> NEW" lines, sorted, first as
# a dry run of renames gives them, then as -t gives them.
renamed_and_texted() {
  local profile=$1 flag=$2
  shift 2
  rm -rf d && mkdir d && (cd d && touch "$@")
  (cd d && "$TRANSLIT" -n -v $flag --profile "$profile" -- * 2>/dev/null) |
    sed 's/^\(.*\) (unchanged)$/\1 -> \1/' | LC_ALL=C sort >renamed
  (cd d && ls) | LC_ALL=C sort >words
  "$TRANSLIT" -t $flag --profile "$profile" <words | paste -d '>' words - | sed 's/>/ -> /' |
    LC_ALL=C sort >texted
}

@test "-t gives what renaming the same words gives, under every shipped profile, both ways" {
  forward=(Щукин Юрий Ёжикович Объём ПОДЪЕЗД съешь ещё этих мягких французских булок
           выпей чаю Цапля Жёлтый Хлеб Эхо Йод ВЬЮГА Щи Їжак Євген Ґанок Ірина Марʼїне)
  backward=(Shchukin Yuriy Yozhikovich "Ob'yom" PODEZD Tsaplya Zhyoltyy Ekho Yod Shhukin Jurij)
  for profile in $(cd "$(profiles)" && ls ./*.pch); do
    profile=${profile#./}
    renamed_and_texted "$profile" "" "${forward[@]}"
    [ "$(wc -l <renamed)" -eq ${#forward[@]} ]
    diff renamed texted
    renamed_and_texted "$profile" --reverse "${backward[@]}"
    [ "$(wc -l <renamed)" -eq ${#backward[@]} ]
    diff renamed texted
  done
}

@test "-t streams 100 MB in bounded memory, and a line longer than a piece comes out whole" {
  "$TRANSLIT" --version >/dev/null  # built before memory is limited
  line='Щукин Юрий Ёжикович съел ещё мягких булок, а «Жёлтый» подъезд — Эхо!'
  expected=$(echo "$line" | "$TRANSLIT" -t)
  [ "$expected" != "$line" ]
  n=$((100 * 1024 * 1024 / ${#line} / 2))  # the line is about two bytes a character
  run bash -c 'ulimit -v 120000; yes "$1" | head -n "$3" | "$4" -t | cmp - <(yes "$2" | head -n "$3") &&
               echo same' _ "$line" "$expected" "$n" "$TRANSLIT"
  [ "$status" -eq 0 ]
  [ "$output" = same ]
  python3 -c "print('Щука Ёж ' * 400000, end='')" >long  # 5.6 MB, no line break at all
  python3 -c "print('Shchuka Yozh ' * 400000, end='')" >expected
  "$TRANSLIT" -t <long | cmp - expected
}

@test "decomposed names and text come out composed, renamed as the composed ones are" {
  touch "$(nfd 'Йошкар-Ола ёлка.txt')" "$(nfd 'Ёлка.txt')"
  run "$TRANSLIT" "$(nfd 'Йошкар-Ола ёлка.txt')"
  [ "$status" -eq 0 ]
  [ -e "Yoshkar-Ola yolka.txt" ]
  [ "$(nfd 'Йошкар-Ола ёлка' | "$TRANSLIT" -t)" = "Yoshkar-Ola yolka" ]
  [ "$(nfd 'Ёлка Ĭ́' | "$TRANSLIT" -t)" = "Yolka Ĭ́" ]  # no profile letter: NFC as it is
  # A profile that changes nothing leaves a decomposed name alone.
  printf 'i\r\nL\r\nR\r\nq Q\r\n' >q.pch
  run "$TRANSLIT" -v --profile ./q.pch "$(nfd 'Ёлка.txt')"
  [ "$status" -eq 0 ]
  [[ "$output" == *"0 renamed, 1 unchanged, 0 skipped"* ]]
}

@test "a Windows-1251 name is reported without --from-cp1251 and renamed with it" {
  name=$(printf '\xd9\xf3\xea\xe0.txt')     # Щука.txt in Windows-1251
  other=$(printf '\xdf\xf9\xe8\xea.txt')    # Ящик.txt
  touch "$name" "$other" Ёж.txt
  run "$TRANSLIT" "$name" Ёж.txt
  [ "$status" -eq 1 ]
  [[ "$output" == *": not renamed: the name is not UTF-8; try --from-cp1251"* ]]
  [[ "$output" == *"1 renamed, 0 unchanged, 1 skipped"* ]]
  [ -e "$name" ]
  run "$TRANSLIT" --from-cp1251 "$name" "$other"
  [ "$status" -eq 0 ]
  [ "$(entries | tr '\n' '|')" = "Shchuka.txt|Yashchik.txt|Yozh.txt|" ]
  [ "$(printf 'Щука\n\xd9\xf3\xea\xe0\n' | "$TRANSLIT" -t --from-cp1251)" = $'Shchuka\nShchuka' ]
  [ "$(printf '\xd9\xf3\xea\xe0\n' | "$TRANSLIT" -t 2>&1 >/dev/null)" = \
    "translit: note: the text holds bytes that are not UTF-8, passed as they are; try --from-cp1251" ]
}

@test "the Ukrainian apostrophe U+02BC and its lookalikes are the profile's apostrophe" {
  touch 'Марʼїне.txt' "Мар'їне.txt"
  run "$TRANSLIT" --profile ukrainian-2010.pch 'Марʼїне.txt'
  [ "$status" -eq 0 ]
  [ -e Marine.txt ]
  [ "$("$TRANSLIT" -t --profile ukrainian-2010.pch "Мар'їне Марʼїне Мар’їне")" = "Marine Marine Marine" ]
  run "$TRANSLIT" --profile ukrainian-2010.pch "Мар'їне.txt"
  [[ "$output" == *"Marine.txt is taken"* ]]
  # U+2011 as the "-" of a profile that writes hyphens itself; one that
  # leaves "-" alone leaves U+2011 alone too.
  [ "$("$TRANSLIT" -t --profile web-safe.pch 'Ростов‑на‑Дону')" = "rostov-na-donu" ]
  [ "$("$TRANSLIT" -t 'Ростов‑на‑Дону')" = "Rostov‑na‑Donu" ]
}

@test "a UTF-8 profile renames as its Windows-1251 twin does, with a note; --check reports it" {
  printf 'Мой профиль\r\nКириллица\r\nЛатиница\r\nЩ Shch\r\nщ shch\r\nу u\r\nк k\r\nа a\r\nЁ Yo\r\nж zh\r\n' >utf8.pch
  iconv -f UTF-8 -t CP1251 utf8.pch >cp1251.pch
  printf '\xef\xbb\xbf' | cat - utf8.pch >bom.pch
  mkdir a b c
  touch {a,b,c}/Щука.txt {a,b,c}/Ёж.txt
  run "$TRANSLIT" --profile ./cp1251.pch a
  [ "$status" -eq 0 ]
  [[ "$output" != *note* ]]
  run "$TRANSLIT" --profile ./utf8.pch b
  [ "$status" -eq 0 ]
  [[ "$output" == "translit: note: ./utf8.pch is UTF-8: read as such; the plug-in reads Windows-1251 only"* ]]
  "$TRANSLIT" -q --profile ./bom.pch c
  [ "$(entries a | tr '\n' '|')" = "Shchuka.txt|Yozh.txt|" ]
  [ "$(entries b | tr '\n' '|')" = "Shchuka.txt|Yozh.txt|" ]
  [ "$(entries c | tr '\n' '|')" = "Shchuka.txt|Yozh.txt|" ]
  [ "$("$TRANSLIT" -t -q --profile ./utf8.pch Щука)" = Shchuka ]
  run "$TRANSLIT" --check ./utf8.pch
  [ "$status" -eq 1 ]
  [[ "$output" == "./utf8.pch: UTF-8: the plug-in reads Windows-1251 only"* ]]
  run "$TRANSLIT" --check ./cp1251.pch
  [ "$status" -eq 0 ]
  printf 'i\r\nL\r\nR\r\nā a\r\n' >latin.pch
  run "$TRANSLIT" -t --profile ./latin.pch x
  [ "$status" -eq 2 ]
  [[ "$output" == *"./latin.pch: UTF-8, but line 4 holds U+0101, which Windows-1251 lacks"* ]]
}

@test "names and lines that keep Cyrillic letters are counted, naming a profile that covers them" {
  touch Ђорђе.txt Їжак.txt Љубљана.txt Щука.txt
  run "$TRANSLIT" -n Ђорђе.txt Їжак.txt Љубљана.txt Щука.txt
  [ "$status" -eq 0 ]
  [[ "$output" == *$'would be skipped\n3 names keep letters the profile does not cover: Ђ Ї Љ (web-safe.pch covers them)' ]]
  run "$TRANSLIT" -n Їжак.txt Щука.txt
  [[ "$output" == *"1 name keeps letters the profile does not cover: Ї (ukrainian-2010.pch covers them)" ]]
  run "$TRANSLIT" -n --profile ukrainian-2010.pch Їжак.txt
  [[ "$output" != *"keep"* ]]
  run "$TRANSLIT" -n --reverse Щука.txt
  [[ "$output" != *"keep"* ]]
  run "$TRANSLIT" -t $'Ђорђе\nЩука\nЇжак Ђ'
  [ "$status" -eq 0 ]
  [[ "$output" == *"2 lines keep letters the profile does not cover: Ђ Ї (web-safe.pch covers them)" ]]
}
