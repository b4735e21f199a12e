#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Static checks of the project's own code (not of its tests): the layout that
# .clang-format lays down, cppcheck, and clang-tidy with the checks listed in
# .clang-tidy. The Windows sources are parsed as 32-bit Windows code against
# the mingw-w64 headers, and the engine once more as plain native code, so
# that both sides of its seams are read; the Linux command is parsed as
# native code only. Prints every finding; exits non-zero on any.
#   tools/static_checks.sh [GENERATED_DIR]   the build's generated headers
#                                            (default build/native/generated)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
generated=${1:-$root/build/native/generated}

own_code() { git ls-files "$@" | grep -E '\.cpp$' | grep -v -E '_test\.cpp$|/oracle/|/testing/|/benchmark/'; }
sources=$(own_code engine plugin ui cli/core cli/windows)
native_sources=$(own_code engine cli/core cli/linux)
status=0

echo "clang-format (.clang-format):"
formatted=$(git ls-files engine plugin ui cli include | grep -E '\.(cpp|h)$' |
            grep -v -E '_test\.cpp$|/oracle/|/testing/|/benchmark/')
unformatted=$(clang-format --dry-run $formatted 2>&1 | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' |
              cut -d: -f1 | sort -u)
if [ -n "$unformatted" ]; then
  sed 's/$/: differs from clang-format (clang-format -i FILE)/' <<<"$unformatted"
  status=1
fi

echo "cppcheck (warning, performance, portability):"
cppcheck --quiet --std=c++17 --language=c++ -D_WIN32 -I . -I include -I "$generated" \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  --inline-suppr --error-exitcode=1 --template='{file}:{line}: {severity} ({id}): {message}' \
  $sources || status=1
cppcheck --quiet --std=c++17 --language=c++ -I . -I include -I "$generated" \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  --inline-suppr --error-exitcode=1 --template='{file}:{line}: {severity} ({id}): {message}' \
  $(grep '^cli/linux/' <<<"$native_sources") || status=1

mingw_cxx=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*-posix/include/c++ | head -n 1)
windows_args=(--target=i686-w64-mingw32 -std=c++17 -I"$root" -I"$root/include" -I"$generated"
              -isystem "$mingw_cxx"
              -isystem "$mingw_cxx/i686-w64-mingw32" -isystem "$mingw_cxx/backward")
native_args=(-std=c++17 -I"$root" -I"$root/include" -I"$generated")

# clang-tidy's findings for one file are kept in the build folder under a key
# made of everything that decides them: the clang-tidy version, .clang-tidy,
# the arguments, and the file as the preprocessor expands it (so a changed
# header changes the key of every file that includes it). A file whose key is
# known is not parsed again; its stored findings are printed as if it had been.
cache=${TRANSLIT_TIDY_CACHE:-$(dirname "$generated")/static-checks-cache}
mkdir -p "$cache"
tidy_key=$( (clang-tidy --version; cat .clang-tidy) | sha256sum | cut -d' ' -f1)
export cache tidy_key

tidy_file() {  # tidy_file FILE ARGS...: prints the file's findings
  local file=$1 key
  shift
  key=$( (echo "$tidy_key $file $*"; clang++ "$@" -E "$file" 2>&1) | sha256sum | cut -d' ' -f1)
  if [ -f "$cache/$key" ]; then
    cat "$cache/$key"
    return
  fi
  local findings status
  findings=$(clang-tidy --quiet "$file" -- "$@" 2>/dev/null)
  status=$?
  printf '%s\n' "$findings"
  # Kept only when clang-tidy finished: clean (0), or with its findings.
  if [ "$status" = 0 ] || grep -q -E 'warning:|error:' <<<"$findings"; then
    printf '%s\n' "$findings" >"$cache/$key.$$" && mv "$cache/$key.$$" "$cache/$key"
  fi
}
export -f tidy_file

tidy() {  # tidy ARGS... -- FILES...: prints the findings, one file per core
  local args=()
  while [ "$1" != -- ]; do args+=("$1"); shift; done
  shift
  printf '%s\n' "$@" | xargs -P "$(nproc)" -I{} \
    bash -c 'tidy_file "$@"' _ {} "${args[@]}" | grep -E -A3 'warning:|error:' || true
}

echo "clang-tidy, as Windows code:"
findings=$(tidy "${windows_args[@]}" -- $sources)
[ -n "$findings" ] && { echo "$findings"; status=1; }
echo "clang-tidy, the engine and the Linux command as native code:"
findings=$(tidy "${native_args[@]}" -- $native_sources)
[ -n "$findings" ] && { echo "$findings"; status=1; }

[ "$status" = 0 ] && echo "no findings"
exit $status
