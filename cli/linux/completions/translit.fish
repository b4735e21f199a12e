# SPDX-License-Identifier: MIT
# fish completion for translit: its options, and after --profile the
# profiles the program itself finds (translit --list).
function __translit_profiles
    translit --list 2>/dev/null | string match -v -r '^ '
end

complete -c translit -s p -l profile -r -f -a '(__translit_profiles)' -d 'Profile, by name or path'
complete -c translit -l reverse -d 'Right-hand terms back into left-hand ones'
complete -c translit -l case -d 'Letter case counts'
complete -c translit -l ext -d 'Transliterate the extension too'
complete -c translit -s r -l recursive -d 'Everything under a folder'
complete -c translit -l from0 -r -F -d 'Paths separated by NUL bytes'
complete -c translit -s n -l dry-run -l preview -d 'Show what would be renamed; rename nothing'
complete -c translit -s v -l verbose -d 'Also list the files that keep their name'
complete -c translit -s q -l quiet -d 'Print nothing but errors'
complete -c translit -s 0 -l print0 -d 'OLD, NUL, NEW, NUL for scripts'
complete -c translit -l cross-file-systems -d 'Let -r go into other file systems'
complete -c translit -s t -l text -d 'Transliterate text, not file names'
complete -c translit -l from-cp1251 -d 'Names that are not UTF-8 are Windows-1251'
complete -c translit -l undo -d 'Put the newest batch of renames back'
complete -c translit -l batch -r -f -d 'With --undo: that batch'
complete -c translit -l forget -r -f -d 'With --undo: drop what remains of a batch'
complete -c translit -l list -d 'The profiles with their information lines'
complete -c translit -l check -r -F -d 'Rules of a profile that cannot work as written'
complete -c translit -s h -l help -d 'The help'
complete -c translit -l version -d 'The version'
