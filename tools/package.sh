#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Packs dist/ into translit-1.0.02.zip for Windows users: the Plugins folder
# (DLL and profiles), the command-line host, the read-me files and the licence.
#   tools/package.sh [DIST_FOLDER [ZIP_FILE]]   default: dist/, translit-VERSION.zip
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The version as the host shows it: 1.0.0.2 is "1.0.02" (CMakeLists.txt).
version=$(sed -n 's/^project(Translit VERSION \([0-9]*\)\.\([0-9]*\)\.\([0-9]*\)\.\([0-9]*\).*/\1.\2.\3\4/p' \
          "$root/CMakeLists.txt")
dist=${1:-$root/dist}
archive=${2:-$root/translit-$version.zip}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

mkdir -p "$stage/translit-$version/Plugins/rep_profiles"
cp "$dist/Plugins/translit.dll" "$stage/translit-$version/Plugins/"
cp "$root/profiles/"*.pch "$stage/translit-$version/Plugins/rep_profiles/"
cp "$dist/translit-host.exe" "$stage/translit-$version/"
# The licence with CR LF line ends, as Notepad shows it.
sed 's/$/\r/' "$root/LICENSE" >"$stage/translit-$version/LICENSE.txt"
# The read-mes in UTF-8 with a byte-order mark and CR LF, so that Notepad on
# any Windows shows them right.
for readme in README-en.txt README-ru.txt; do
  { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$root/tools/package/$readme"; } \
    >"$stage/translit-$version/$readme"
done
rm -f "$archive"
(cd "$stage" && zip -qr -X "$archive" "translit-$version")
echo "$archive:"
unzip -l "$archive" | sed -n '4,$p'
