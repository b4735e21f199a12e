#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Packs dist/ into translit-1.0.02.zip for Windows users: the Plugins folder
# (DLL and profiles), the command-line host, the read-me files and the licence.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
version=$(sed -n 's/^#define TRANSLIT_VERSION_TEXT "\(.*\)"/\1/p' "$root/plugin/version.h")
archive="$root/translit-$version.zip"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

mkdir -p "$stage/translit-$version/Plugins/rep_profiles"
cp "$root/dist/Plugins/translit.dll" "$stage/translit-$version/Plugins/"
cp "$root/profiles/"*.pch "$stage/translit-$version/Plugins/rep_profiles/"
cp "$root/dist/translit-host.exe" "$stage/translit-$version/"
# The licence with CR LF line ends, as Notepad shows it.
sed 's/$/\r/' "$root/LICENSE" >"$stage/translit-$version/LICENSE.txt"
cp "$root/tools/package/README-en.txt" "$root/tools/package/README-ru.txt" "$stage/translit-$version/"
rm -f "$archive"
(cd "$stage" && zip -qr -X "$archive" "translit-$version")
echo "$archive:"
unzip -l "$archive" | sed -n '4,$p'
