#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Brings the message catalogues up to date with the sources: gathers every
# text marked _(), N_() or P_() in cli/ into po/translit.pot, then merges it
# into each po/LANG.po (new texts come in untranslated, changed ones fuzzy).
#   tools/update-po.sh            update po/translit.pot and po/*.po
#   tools/update-po.sh --check    change nothing; list what po/ru.po lacks
#                                 (untranslated or fuzzy), exit 1 if anything
# After an update, translate what `--check` lists in po/ru.po (msgstr "" or
# a "#, fuzzy" line to remove), and run the catalogue test
# (ctest -R messages_test in the native build).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
version=$(sed -n 's/^project(Translit VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The template, from the sources as they are now.
make_pot() {
  find cli -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xgettext --files-from=- --output="$1" --language=C++ --from-code=UTF-8 \
      --keyword=_ --keyword=N_ --keyword=P_:1c,2 --add-comments=TRANSLATORS: \
      --package-name=translit --package-version="$version" \
      --msgid-bugs-address="the project's issues" --copyright-holder= --sort-by-file --width=100
  # The creation date changes on every run; the template keeps none.
  sed -i '/^"POT-Creation-Date:/d' "$1"
}

if [ "${1:-}" = --check ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  make_pot "$work/translit.pot"
  status=0
  for po in po/*.po; do
    msgmerge --quiet --no-fuzzy-matching --output-file="$work/merged.po" "$po" "$work/translit.pot"
    lacking=$( { msgattrib --untranslated --no-obsolete "$work/merged.po"
                 msgattrib --only-fuzzy --no-obsolete "$work/merged.po"; } | grep -c '^msgid "..*"' || true)
    if [ "$lacking" -gt 0 ]; then
      echo "$po: $lacking messages untranslated or fuzzy:"
      { msgattrib --untranslated --no-obsolete --no-wrap "$work/merged.po"
        msgattrib --only-fuzzy --no-obsolete --no-wrap "$work/merged.po"; } | grep '^msgid "..*"'
      status=1
    fi
  done
  exit $status
fi

make_pot po/translit.pot
for po in po/*.po; do
  msgmerge --quiet --update --backup=none --width=100 "$po" po/translit.pot
  echo "$po: $(msgfmt --statistics -o /dev/null "$po" 2>&1)"
done
