# SPDX-License-Identifier: MIT
# bash completion for translit: its options, and after --profile the
# profiles the program itself finds (translit --list).

_translit_profiles() {
  "${1:-translit}" --list 2>/dev/null | while IFS= read -r line; do
    [[ "$line" == " "* ]] || printf '%s\n' "$line"
  done
}

_translit() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local options="--profile --reverse --case --ext --recursive --from0 --cross-file-systems
                 --text --from-cp1251
                 --dry-run --preview --verbose --quiet --print0 --undo --batch --forget --list
                 --check --help --version"
  case "$prev" in
    -p | --profile)
      local IFS=$'\n'
      COMPREPLY=($(compgen -W "$(_translit_profiles "${COMP_WORDS[0]}")" -- "$cur"))
      COMPREPLY+=($(compgen -f -X '!*.pch' -- "$cur") $(compgen -d -- "$cur"))
      return
      ;;
    --check)
      local IFS=$'\n'
      COMPREPLY=($(compgen -f -X '!*.pch' -- "$cur") $(compgen -d -- "$cur"))
      return
      ;;
    --batch | --forget)
      local IFS=$'\n'
      COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" --undo --list 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
      return
      ;;
    --from0)
      local IFS=$'\n'
      COMPREPLY=($(compgen -f -- "$cur"))
      return
      ;;
  esac
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  local IFS=$'\n'
  COMPREPLY=($(compgen -f -- "$cur"))
}
complete -o filenames -F _translit translit
