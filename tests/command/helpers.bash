# SPDX-License-Identifier: MIT
# Shared by the command's tests: a fresh folder per test, its own journal
# folder, and a way to make files whose contents say who made them.

setup() {
  work=$(mktemp -d)
  export XDG_STATE_HOME="$work/state"
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
