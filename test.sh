#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything and runs every test: the portable engine natively (under
# AddressSanitizer and UBSan), a short run of its fuzzers, then translit.dll
# and its tests under wine.
# Ends with one line "N passed, M failed"; exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$root"

"$root/tools/setup.sh" || { echo "0 passed, 1 failed"; exit 1; }
jobs=$(nproc)
status=0
mkdir -p "$root/build"  # the build logs go here, also in a fresh clone

# --- native: engine tests under the sanitizers (GCC: it can store literals
# in Windows-1251, which clang cannot) ---------------------------
native=build/native
rm -f "$native/ctest.xml"  # a failed build must not leave the last run's results
if cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRANSLIT_WERROR=ON \
      -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >"$root/build/native-configure.log" 2>&1 \
   && cmake --build "$native" -j "$jobs" >"$root/build/native-build.log" 2>&1; then
  rm -rf "$native/test-reports" && mkdir -p "$native/test-reports"
  (cd "$native" && ctest --output-on-failure --output-junit ctest.xml -j "$jobs") || status=1
else
  echo "native build failed:"; tail -n 40 "$root"/build/native-*.log
  status=1
fi

# --- fuzz: a short run of each libFuzzer target (clang, libFuzzer with
# AddressSanitizer and UBSan); tests/fuzz/run.sh runs them for longer -------
fuzz=build/fuzz
rm -f "$fuzz/ctest.xml"
if cmake -S . -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRANSLIT_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$root/build/fuzz-configure.log" 2>&1 \
   && cmake --build "$fuzz" -j "$jobs" --target translit_fuzzers >"$root/build/fuzz-build.log" 2>&1; then
  (cd "$fuzz" && ctest -L fuzz --output-on-failure --output-junit ctest.xml -j "$jobs") || status=1
else
  echo "fuzz build failed:"; tail -n 40 "$root"/build/fuzz-*.log
  status=1
fi

# --- Windows: translit.dll and the tests that load it under wine ---------
win=build/win32
rm -f "$win/ctest.xml"
if cmake -S . -B "$win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DTRANSLIT_WERROR=ON \
      -DCMAKE_BUILD_TYPE=Release -DTRANSLIT_NATIVE_BUILD_DIR="$root/$native" >"$root/build/win32-configure.log" 2>&1 \
   && cmake --build "$win" -j "$jobs" >"$root/build/win32-build.log" 2>&1; then
  source "$root/tools/wine-env.sh"
  translit_wine_prefix
  wineserver -p >/dev/null 2>&1
  rm -rf "$win/test-reports" && mkdir -p "$win/test-reports"
  (cd "$win" && xvfb-run -a -s "-screen 0 1024x768x24" \
      ctest --output-on-failure --output-junit ctest.xml) || status=1
  wineserver -k 2>/dev/null || true
else
  echo "Windows build failed:"; tail -n 40 "$root"/build/win32-*.log
  status=1
fi

python3 "$root/tools/test_summary.py" "$native" "$fuzz" "$win" || status=1
exit $status
