#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The command installed as a Linux tool: from a temporary prefix with no
# checkout, its man pages and completions, and the .deb of the build.
load helpers

root=$(dirname "$(readlink -f "$TRANSLIT")")

setup_file() {
  # This test's build, installed once; then moved, so that nothing of the
  # checkout or of the prefix it was installed for can be used.
  export PREFIX="$BATS_FILE_TMPDIR/moved"
  cmake --install "$TRANSLIT_BUILD" --prefix "$BATS_FILE_TMPDIR/prefix" >/dev/null
  mv "$BATS_FILE_TMPDIR/prefix" "$PREFIX"
}

@test "installed into a prefix, it runs from there: profiles, messages, no checkout" {
  make_files Щука.txt
  run "$PREFIX/bin/translit" -n Щука.txt
  [ "$status" -eq 0 ]
  [ "${lines[0]}" = "Щука.txt -> Shchuka.txt" ]
  run "$PREFIX/bin/translit" --list
  [ "$(grep -c '\.pch$' <<<"$output")" -eq "$(ls "$root/profiles/"*.pch | wc -l)" ]
  run "$PREFIX/bin/translit" --help
  [[ "$output" == *$'\n  '"$work/data/translit/profiles/"$'\n  '"$PREFIX/share/translit/profiles/"$'\n'* ]]
  [[ "$output" != *"$root"* ]]
  run env -u LC_ALL LANG=ru_RU.UTF-8 "$PREFIX/bin/translit" Щука.txt
  [ "${lines[1]}" = "переименовано: 1, без изменений: 0, пропущено: 0" ]
}

@test "the man pages render without warnings and carry their whatis lines" {
  for page in man1/translit.1.gz ru/man1/translit.1.gz; do
    run env LC_ALL=ru_RU.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$PREFIX/share/man/$page"
    [ "$status" -eq 0 ]
    [[ "$output" != *warning* ]]
    [[ "$output" == *--from0* ]]
    run lexgrog "$PREFIX/share/man/$page"
    [[ "$output" == *': "translit - '* ]]
  done
}

@test "bash completion: every option of --help, and the profiles after --profile" {
  source "$PREFIX/share/bash-completion/completions/translit"
  # As bash runs a completion: without errexit (compgen fails when nothing matches).
  complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); set +e; _translit; set -e; }
  PATH="$PREFIX/bin:$PATH" complete_words translit --
  local options=" ${COMPREPLY[*]} " option
  for option in $("$PREFIX/bin/translit" --help | grep -o -e '--[a-z0-9-]*' | sort -u); do
    [[ "$options" == *" $option "* ]] || { echo "not completed: $option"; return 1; }
  done
  PATH="$PREFIX/bin:$PATH" complete_words translit --profile gost-7
  [ "${COMPREPLY[*]}" = "gost-7.79-b.pch" ]
  PATH="$PREFIX/bin:$PATH" complete_words translit -p icao
  [ "${COMPREPLY[*]}" = "icao-9303.pch" ]
}

@test "the .deb holds the command, its profiles, catalogue, man pages and completions; dpkg installs and removes it" {
  (cd "$TRANSLIT_BUILD" && cpack -G DEB -B "$work/package" >/dev/null)
  deb=$(ls "$work"/package/translit_*_*.deb)
  run dpkg-deb -c "$deb"
  for file in usr/bin/translit usr/share/translit/profiles/standart.pch \
              usr/share/locale/ru/LC_MESSAGES/translit.mo usr/share/man/man1/translit.1.gz \
              usr/share/man/ru/man1/translit.1.gz usr/share/bash-completion/completions/translit \
              usr/share/zsh/vendor-completions/_translit usr/share/fish/vendor_completions.d/translit.fish \
              usr/share/doc/translit/copyright; do
    [[ "$output" == *" ./$file"* ]] || { echo "missing $file"; return 1; }
  done
  [[ "$(dpkg-deb -f "$deb" Depends)" == *libc6* ]]
  # Installed and removed where this machine allows: root, and no translit of another origin.
  if [ "$(id -u)" -ne 0 ] || dpkg -s translit >/dev/null 2>&1; then
    skip "needs root and no installed translit"
  fi
  dpkg -i "$deb" >/dev/null
  listed=$(dpkg -L translit)
  run env -u LC_ALL LANG=ru_RU.UTF-8 /usr/bin/translit --help
  dpkg -r translit >/dev/null
  [[ "${lines[0]}" == "Использование: translit"* ]]
  while IFS= read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || { echo "left behind: $path"; return 1; }
  done <<<"$listed"
  [ ! -e /usr/share/translit ]
  ! dpkg -s translit >/dev/null 2>&1
}
