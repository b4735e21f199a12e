#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Translit on Linux: installs what is missing, builds translit.dll into dist/,
# and renames real files through it with the command-line host under wine.
#
#   ./translit.sh demo                    build, then rename a folder of sample files
#   ./translit.sh [options] FILES...      transliterate real files (see --help)
#   ./translit.sh --list                  the installed profiles
#   ./translit.sh build                   only build dist/
#   ./translit.sh package                 build translit-1.0.02.zip for Windows users
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

build() {
  "$root/tools/setup.sh"
  mkdir -p "$root/build"
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$root/build/translit-configure.log" 2>&1 ||
    { tail -n 30 "$root/build/translit-configure.log"; exit 1; }
  cmake --build "$root/build/win32" -j "$(nproc)" --target translit translit-host profiles \
    >"$root/build/translit-build.log" 2>&1 || { tail -n 30 "$root/build/translit-build.log"; exit 1; }
}

# Runs the host under wine. Arguments that name existing Linux files become
# wine paths (Z: is the Linux root); the rest pass unchanged.
host() {
  source "$root/tools/wine-env.sh"
  translit_wine_prefix
  local args=() arg
  for arg in "$@"; do
    if [[ "$arg" != --* && -e "$arg" ]]; then
      arg=$(realpath -s -- "$arg")
      arg="Z:${arg//\//\\}"
    fi
    args+=("$arg")
  done
  wine "$root/dist/translit-host.exe" "${args[@]}"
}

demo() {
  build
  local folder
  folder=$(mktemp -d "${TMPDIR:-/tmp}/translit-demo.XXXXXX")
  for name in "Щукин Юрий Ёжикович.txt" "Отчёт за июнь.xlsx" "Пётр Ильич Чайковский - Щелкунчик.mp3" \
              "Фото с дачи (2024).jpg" "Объявление о съезде.docx" "Семья.png" "README.md"; do
    printf '%s\n' "$name" >"$folder/$name"
  done
  echo "== The folder $folder:"
  ls -1 "$folder"
  echo
  echo "== translit.dll as the host sees it:"
  host --info
  echo
  echo "== Preview with the default profile (standart.pch):"
  host --preview "$folder"/*
  echo
  echo "== Renaming:"
  host "$folder"/*
  echo
  echo "== The folder afterwards:"
  ls -1 "$folder"
  echo
  echo "== And back again with --reverse (all but README.md, which is Latin already):"
  local renamed=() file
  for file in "$folder"/*; do [[ "$file" == */README.md ]] || renamed+=("$file"); done
  host --reverse "${renamed[@]}"
  echo
  ls -1 "$folder"
  rm -rf "$folder"
}

package() {
  build
  "$root/tools/package.sh"
}

case "${1:-demo}" in
  build) build ;;
  demo) demo ;;
  package) package ;;
  *)
    build
    host "$@"
    ;;
esac
