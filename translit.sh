#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Translit on Linux.
#
#   ./translit.sh [options] FILES...   rename real files with the native command
#                                      (dist/bin/translit; see --help)
#   ./translit.sh demo                 build the DLL, then show it renaming a
#                                      folder of sample files under wine
#   ./translit.sh build                build dist/: the command, the DLL, the host
#   ./translit.sh package              build translit-1.0.02.zip for Windows users
#                                      and translit_1.0.02_amd64.deb for Debian
#
# A subcommand counts only as the sole argument: "./translit.sh demo *.txt"
# renames files. The command is built only when dist/bin/translit is missing
# or older than its sources, saying so on one line; otherwise this script
# does nothing but start it. A rename never installs anything: when a build
# tool is missing, it says which and how to get it. It may be called through
# a symlink.
set -euo pipefail
root=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
command="$root/dist/bin/translit"

# The sources the command is built from, newer than the built command?
command_stale() {
  [ -x "$command" ] || return 0
  [ -n "$(find "$root/engine" "$root/cli/core" "$root/cli/linux" "$root/profiles" "$root/po" \
            "$root/cmake" "$root/CMakeLists.txt" "$root/cli/CMakeLists.txt" \
            -newer "$command" \( -name '*.cpp' -o -name '*.h' -o -name '*.pch' -o -name '*.po' \
            -o -name '*.cmake' -o -name '*.in' -o -name CMakeLists.txt \) -print -quit)" ]
}

# What building the command needs, as Debian names it: nothing is installed
# behind the user's back, but the line says how.
check_build_tools() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v g++ >/dev/null || missing+=(g++)
  command -v msgfmt >/dev/null || missing+=(gettext)
  [ -e /usr/include/CLI/CLI.hpp ] || missing+=(libcli11-dev)
  [ -e /usr/include/utf8proc.h ] || missing+=(libutf8proc-dev)
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "translit.sh: building translit needs ${missing[*]}: install them with" \
         "tools/setup.sh --native, or install the translit package" >&2
    exit 2
  fi
}

# The command, released (no sanitizers), in build/linux.
build_release() {
  mkdir -p "$root/build"
  { cmake -S "$root" -B "$root/build/linux" -DCMAKE_BUILD_TYPE=Release -DTRANSLIT_SANITIZE=OFF \
      -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ &&
    cmake --build "$root/build/linux" -j "$(nproc)" --target "$@"; } \
    >"$root/build/translit-linux-build.log" 2>&1 ||
    { echo >&2; tail -n 30 "$root/build/translit-linux-build.log" >&2; exit 2; }
}

build_command() {
  check_build_tools
  local start=$SECONDS
  printf 'building translit … ' >&2
  build_release translit_dist_command
  touch "$command"  # current now, even where copy_if_different left an older file
  echo "done in $((SECONDS - start)) s" >&2
}

# The .deb of the command (CPack), beside the zip.
package_deb() {
  build_release all
  (cd "$root/build/linux" && cpack -G DEB -B "$root/build/linux/package") \
    >>"$root/build/translit-linux-build.log" 2>&1 ||
    { tail -n 30 "$root/build/translit-linux-build.log" >&2; exit 2; }
  local deb
  deb=$(ls "$root"/build/linux/package/translit_*.deb)
  mv "$deb" "$root/"
  echo "$root/$(basename "$deb"): install with: sudo apt install ./$(basename "$deb")"
}

build_windows() {
  "$root/tools/setup.sh"
  mkdir -p "$root/build"
  { cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$root/build/win32" -j "$(nproc)" --target translit translit-host profiles; } \
    >"$root/build/translit-build.log" 2>&1 || { tail -n 30 "$root/build/translit-build.log" >&2; exit 2; }
}

# The Windows host under wine, for the demo: arguments that name existing
# Linux files through a folder become wine paths (Z: is the Linux root); bare
# names stay as they are, relative to the current folder.
host() {
  # wine takes the host's UI language from LC_MESSAGES, and the ANSI code
  # page from LC_CTYPE (1251 for the Russian names): the user's language,
  # English where the locale names none.
  local language=${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}
  [[ "$language" == "" || "$language" == C* || "$language" == POSIX ]] && language=en_US.UTF-8
  source "$root/tools/wine-env.sh"
  translit_wine_prefix
  local args=() arg
  for arg in "$@"; do
    if [[ "$arg" != -* && "$arg" == */* && -e "$arg" ]]; then
      arg=$(realpath -s -- "$arg")
      arg="Z:${arg//\//\\}"
    fi
    args+=("$arg")
  done
  env -u LC_ALL LC_CTYPE=ru_RU.UTF-8 LC_MESSAGES="$language" wine "$root/dist/translit-host.exe" "${args[@]}"
}

demo() {
  build_windows
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
  cd "$folder"
  echo "== Preview with the default profile (standart.pch):"
  host --preview *
  echo
  echo "== Renaming:"
  host *
  echo
  echo "== The folder afterwards:"
  ls -1 "$folder"
  echo
  echo "== And back again with --reverse (all but README.md, which is Latin already):"
  local renamed=() file
  for file in *; do [[ "$file" == README.md ]] || renamed+=("$file"); done
  host --reverse "${renamed[@]}"
  echo
  ls -1
  echo
  echo "== Renamed once more, then put back with --undo (the journal is in %LOCALAPPDATA%):"
  host -q *
  host --undo
  echo
  ls -1
  cd / && rm -rf "$folder"
}

if [ $# -eq 1 ]; then
  case "$1" in
    demo) demo; exit ;;
    build) "$root/tools/setup.sh" --native; build_command; build_windows; exit ;;
    package) build_windows; "$root/tools/package.sh"; package_deb; exit ;;
  esac
fi
if command_stale; then build_command; fi
exec "$command" "$@"
