#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and testing Translit needs on a Debian machine:
# the mingw-w64 i686 cross compiler, 32-bit wine, Xvfb, the ru_RU.UTF-8 locale,
# the native test tools, libutf8proc (the Linux command's NFC), uconv (the
# text benchmark), gettext for the message catalogues, and the package tools.
# Does nothing when everything is already there.
# With --native, only what the Linux command needs to build (no wine).
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
  cmake make g++ clang llvm libclang-rt-14-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32:i386 fonts-wine xvfb xauth x11-apps imagemagick
  locales googletest libgtest-dev libbenchmark-dev
  clang-tidy cppcheck fortunes-ru zip unzip python3
  libcli11-dev libutf8proc-dev bats python3-pil icu-devtools time gettext man-db dpkg-dev
)
native_only=0
if [ "${1:-}" = --native ]; then
  native_only=1
  packages=(cmake make g++ libcli11-dev libutf8proc-dev gettext)
fi

if [ "$native_only" -eq 1 ] || dpkg --print-foreign-architectures | grep -qx i386; then
  need_i386=0
else
  need_i386=1
fi
for p in "${packages[@]}"; do have_pkg "$p" || need+=("$p"); done

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo

if [ "$need_i386" -eq 1 ] || [ "${#need[@]}" -gt 0 ]; then
  echo "setup: installing ${need[*]:-(i386 architecture)}"
  [ "$need_i386" -eq 1 ] && $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

[ "$native_only" -eq 1 ] && exit 0

# wine writes Cyrillic file names to disk only when the glibc locale exists.
if [ "$(LC_ALL=ru_RU.UTF-8 locale charmap 2>/dev/null)" != UTF-8 ]; then
  echo "setup: generating the ru_RU.UTF-8 locale"
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
