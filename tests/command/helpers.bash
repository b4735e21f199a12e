# SPDX-License-Identifier: MIT
# Shared by the command's tests: a fresh folder per test, its own journal
# folder, and a way to make files whose contents say who made them.

setup() {
  work=$(mktemp -d)
  export XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data"
  # The messages in English, whatever the machine's language (a test that
  # wants Russian says so), in a locale that counts UTF-8 characters.
  export LC_ALL=C.UTF-8
  unset LANGUAGE
  cd "$work" || return 1
}

teardown() {
  cd / && rm -rf "$work"
}

# make NAME...: each file holds its own name.
make_files() {
  local name
  for name in "$@"; do printf '%s\n' "$name" >"$name"; done
}

# The folder's entries, one line each, sorted bytewise.
entries() { LC_ALL=C ls -A1 "${1:-.}" | grep -v '^state$'; }
