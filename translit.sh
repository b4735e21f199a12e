#!/usr/bin/env bash
# Translit on Linux: installs what is missing, builds translit.dll into dist/,
# and drives it through the command-line host under wine.
#
#   ./translit.sh demo            build, then show the plug-in at work
#   ./translit.sh build           only build dist/
#   ./translit.sh [host options] FILES...   transliterate real files
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

build() {
  "$root/tools/setup.sh"
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$root/build/translit-configure.log" 2>&1 ||
    { tail -n 30 "$root/build/translit-configure.log"; exit 1; }
  cmake --build "$root/build/win32" -j "$(nproc)" --target translit translit-host profiles \
    >"$root/build/translit-build.log" 2>&1 || { tail -n 30 "$root/build/translit-build.log"; exit 1; }
}

host() {
  source "$root/tools/wine-env.sh"
  translit_wine_prefix
  wine "$root/dist/translit-host.exe" "$@"
}

case "${1:-demo}" in
  build) build ;;
  demo)
    build
    echo "translit.dll as the host sees it:"
    host --info
    ;;
  *)
    build
    host "$@"
    ;;
esac
