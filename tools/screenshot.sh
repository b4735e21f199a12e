#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Saves a PNG picture of one of the plug-in's windows as wine draws it on a
# 1024x768 Xvfb screen, for the README: at twice the size, each pixel a 2x2
# block, so that the picture stays sharp.
#
#   tools/screenshot.sh <options|text|sample> <out.png> [build dir]
#
# The build dir (default build/win32) must hold a Windows build: the window
# is opened by its window_shot.exe through translit.dll, with the shipped
# profiles in a temporary host folder. Needs Xvfb and ImageMagick; runs under
# its own xvfb-run when no display is set.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

scene=${1:?usage: screenshot.sh <options|text|sample> <out.png> [build dir]}
out=${2:?usage: screenshot.sh <options|text|sample> <out.png> [build dir]}
build=${3:-$root/build/win32}
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac

if [ -z "${TRANSLIT_SHOT_DISPLAY:-}" ]; then
  export TRANSLIT_SHOT_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$scene" "$out" "$build"
fi

shot="$build/tests/wine/window_shot.exe"
[ -f "$shot" ] || { echo "screenshot: $shot is not built" >&2; exit 1; }

source "$root/tools/wine-env.sh"
translit_wine_prefix
# wine draws the buttons of window frames with the Marlett font. Debian's
# fonts-wine ships it, but wine does not look in that package's folder, so
# without a copy in the prefix the close box shows the fallback letter "r".
marlett=/usr/share/wine/fonts/marlett.ttf
fonts="$WINEPREFIX/drive_c/windows/Fonts"
[ -f "$marlett" ] || { echo "screenshot: $marlett is missing (package fonts-wine)" >&2; exit 1; }
[ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts" && cp "$marlett" "$fonts/"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
signal="$work/ready"
done_file="$work/done"

wine "$shot" "$scene" "Z:$signal" "Z:$done_file" </dev/null >"$work/log" 2>&1 &
pid=$!

# The program writes the window's rectangle once the window stands painted.
for _ in $(seq 600); do
  [ -f "$signal" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -f "$signal" ]; then
  echo "screenshot: the $scene window did not appear" >&2
  cat "$work/log" >&2
  kill "$pid" 2>/dev/null || true
  exit 1
fi

geometry=$(tr -d '\r\n' <"$signal")
import -window root -crop "$geometry" +repage "$work/shot.png"
convert "$work/shot.png" -scale 200% "$out"
touch "$done_file"
wait "$pid" || { echo "screenshot: window_shot failed" >&2; cat "$work/log" >&2; exit 1; }
echo "screenshot: $out ($geometry)"
