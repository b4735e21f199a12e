#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the shipped transliteration profiles into this folder.

Each profile is a Windows-1251 text file with CR LF line ends: an information
line, the names of the two sides, then one rule per line ("left right", a
space inside a term written "/s"). The engine applies the rules in file order
and hides whatever a rule has replaced from every later rule, so

  * a term that contains a shorter term of another rule must come before it,
    on the left side for the forward direction and, in a profile that reads
    back, on the right side for the reverse direction;
  * no left term may repeat: the second rule would never apply.

Letter case: pass 1 compares exactly, pass 2 ignores case and writes small
letters, so every capital and small form that should keep its case needs its
own line.

Words in capitals. A letter written with several Latin letters (Щ shch) is
written in capitals (SHCH) when it stands next to another capital letter, and
as at the start of a capitalised word (Shch) otherwise. The rules say so with
letter pairs placed before the single letters:

  * the capital followed by a small letter: "Щу Shchu" (a capitalised word);
  * the capital followed by a space, a dot, a dash and the like: "Щ. Shch."
    (an initial, a one-letter word);
  * any capital followed by it: "АЩ ASHCH", ahead of the line above, so that
    "ПЛАЩ." ends in SHCH.;
  * the capital alone: "Щ SHCH" (next to another capital, or at the very end
    of a name, the one case this gets wrong).

Where a small letter's own Latin depends on the letter before it (BGN/PCGN
е after a consonant, Ukrainian Є Ї Й Ю Я inside a word), a capitalised word
such as "Хлебников" needs the three letters together ("Хле Khle"), or the
pair "Хл" would take the л that "ле" needs.

Run: python3 profiles/make_profiles.py        (writes the .pch files)
     python3 profiles/make_profiles.py --check (fails if a file differs or a
                                                profile breaks the rules above)
Standard library only.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Characters Windows does not allow in file names.
FORBIDDEN = set('\\/:*?"<>|')

RUSSIAN_CAPITALS = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
UKRAINIAN_CAPITALS = "АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ"
RUSSIAN_CONSONANTS = "БВГДЖЗКЛМНПРСТФХЦЧШЩ"

# What may follow a lone capital letter (an initial, a one-letter word).
FOLLOWERS = " .,-_()[]!"


def small(letter):
    return letter.lower()


def caps(latin):
    return latin.upper()


def is_group(latin):
    """True for a Latin form whose capital and all-capitals forms differ
    (Shch and SHCH), false for a single letter or a case-less mark."""
    return caps(latin) != latin


class Table:
    """Latin forms of each letter: capital (as at the start of a capitalised
    word) and small."""

    def __init__(self, rows):
        self.capital = {}
        self.small = {}
        for cyrillic, latin in rows:
            cap = latin[:1].upper() + latin[1:] if latin else ""
            self.capital[cyrillic] = cap
            self.small[small(cyrillic)] = latin

    def __call__(self, letter):
        if letter in self.capital:
            return self.capital[letter]
        return self.small[letter]

    def __contains__(self, letter):
        return letter in self.capital or letter in self.small


def stable_order(rules, must_precede):
    """The rules in their given order, except that whatever must_precede(a, b)
    puts before a rule b is placed just before it."""
    placed = []
    done = set()
    active = set()

    def place(index):
        if index in done:
            return
        if index in active:
            raise ValueError("the rules cannot be ordered: %r" % (rules[index],))
        active.add(index)
        for other in range(len(rules)):
            if other != index and must_precede(rules[other], rules[index]):
                place(other)
        active.discard(index)
        done.add(index)
        placed.append(rules[index])

    for index in range(len(rules)):
        place(index)
    return placed


def longer_latin_first(a, b):
    return a[1] != b[1] and b[1] in a[1]


# ---- A model of the engine (file-name run, no self-mapping lines) ------------------

def run(rules, text, reverse=False, case_sensitive=False):
    """What the DLL makes of text: each rule replaces every occurrence of its
    find term, searching from the start again, and what it wrote is masked."""
    search, result = text, text
    for exact in ([True] if case_sensitive else [True, False]):
        for left, right in rules:
            find, replacement = (right, left) if reverse else (left, right)
            if not exact:
                find, replacement, search = find.lower(), replacement.lower(), search.lower()
            if not find:
                continue
            at = search.find(find)
            while at >= 0:
                search = search[:at] + "\0" * len(replacement) + search[at + len(find):]
                result = result[:at] + replacement + result[at + len(find):]
                at = search.find(find)
    return result


class Profile:
    def __init__(self, file_name, info, left_side, right_side, reversible=False):
        self.file_name = file_name
        self.info = info
        self.left_side = left_side
        self.right_side = right_side
        self.reversible = reversible
        self.rules = []
        self.lefts = set()

    def rule(self, left, right):
        self.rules.append((left, right))
        self.lefts.add(left)

    def pair(self, left, right):
        """A generated rule: left out when an earlier rule already takes its
        text (an earlier left term is part of it)."""
        if any(earlier and earlier in left for earlier, _ in self.rules):
            return
        self.rule(left, right)

    def singles(self, table, capitals):
        """Each letter alone: a letter group in capitals, since a capital that
        no pair took stands next to another capital."""
        for capital in capitals:
            cap = table(capital)
            if cap == table(small(capital)):
                # A case-less mark (Ь as '): the small letter is what reads back.
                self.rule(small(capital), cap)
                self.rule(capital, cap)
                continue
            self.rule(capital, caps(cap))
            self.rule(small(capital), table(small(capital)))

    # ---- checks ------------------------------------------------------------

    def check(self):
        problems = []
        name = self.file_name
        if not (name.endswith(".pch") and len(name) <= 49 and name.isascii()):
            problems.append("bad file name")
        for text in (self.info, self.left_side, self.right_side):
            if not text or "\r" in text or "\n" in text:
                problems.append("bad header line: %r" % text)
        for index, (left, right) in enumerate(self.rules):
            where = "%s line %d (%s %s)" % (name, index + 4, left, right)
            if not left:
                problems.append(where + ": empty left term")
            for c in right:
                if not (" " <= c < "\x7f") or c in FORBIDDEN:
                    problems.append(where + ": %r is not allowed in a file name" % c)
            if "/s" in left.lower() or "/s" in right.lower():
                problems.append(where + ": a term holds /s")
            left.encode("cp1251")
        sides = [("forward", 0)] + ([("reverse", 1)] if self.reversible else [])
        for direction, side in sides:
            for later in range(len(self.rules)):
                term = self.rules[later][side]
                if not term:
                    if side == 1:
                        problems.append("%s reverse: line %d has an empty right term"
                                        % (name, later + 4))
                    continue
                for earlier in range(later):
                    part = self.rules[earlier][side]
                    if part and part in term:
                        problems.append("%s %s: line %d (%s) never applies after line %d (%s)"
                                        % (name, direction, later + 4, term, earlier + 4, part))
                        break
        if self.reversible:
            for index, (left, right) in enumerate(self.rules):
                there = run(self.rules, left)
                back = run(self.rules, there, reverse=True)
                if back != left:
                    problems.append("%s reverse: line %d (%s %s): %s goes to %s and back to %s"
                                    % (name, index + 4, left, right, left, there, back))
        return problems

    def encoded(self):
        lines = [self.info, self.left_side, self.right_side]
        lines += ["%s %s" % (left.replace(" ", "/s"), right.replace(" ", "/s"))
                  for left, right in self.rules]
        return ("\r\n".join(lines) + "\r\n").encode("cp1251")


def capital_pairs(profile, table, alphabet, groups, not_before=""):
    """The letter pairs that decide between Shch and SHCH (see the top of this
    file) for the capitals in groups. table gives a letter's Latin.

    A pair that writes what a single letter writes (Ш and Ч, SH and CH, are
    SHCH, as Щ is) is left out, so that reading back takes the letter: forward
    the letters alone then give the same, or, for a capital followed by a
    small letter ("Шч"), a pair that Russian words do not begin with.
    not_before lists capitals that take no pair with a group after them."""
    singles = {}
    for c in alphabet:
        for latin in (table(c), caps(table(c))):
            singles.setdefault(latin, set()).add(c)
    both, before, after_small, alone, dropped = [], [], [], [], []
    for x in groups:
        for c in alphabet:
            if table(c) and c not in not_before:  # a letter left out decides nothing
                (both if c in groups else before).append(
                    (c + x, caps(table(c)) + caps(table(x))))
        for s in alphabet:
            # Before a small letter that is left out, the pair writes what the
            # capital alone writes: last, so that reading back takes the letter.
            (after_small if table(small(s)) else dropped).append(
                (x + small(s), table(x) + table(small(s))))
        for z in FOLLOWERS:
            alone.append((x + z, table(x) + z))
    for left, right in both + before + after_small + alone + dropped:
        if singles.get(right, {left[-1]}) <= {left[0], left[-1]}:
            profile.pair(left, right)


def letter_groups(table, letters):
    return [c for c in letters if is_group(table(c))]


# ---- Russian schemes -----------------------------------------------------------

def plain_profile(file_name, info, rows, order, extra=None, right_side="Латиница"):
    """A profile of letters without context. order lists the capitals in the
    order of their single-letter rules (longer Latin first where reading back
    should prefer it); extra(profile, table) may add rules first."""
    table = Table(rows)
    profile = Profile(file_name, info, "Кириллица", right_side)
    if extra:
        extra(profile, table)
    letters = "".join(order)
    capital_pairs(profile, table, RUSSIAN_CAPITALS, letter_groups(table, letters))
    profile.singles(table, letters)
    return profile


def sign_rules(profile, table, sign, mark, followers, consonants, groups):
    """Rules that let the reverse direction give a hard or soft sign back in
    capitals, for a sign written as a case-less mark.

    The small sign is the mark alone. A capital sign stands next to capitals
    in a word written in capitals, so it is written together with its
    neighbour, in capitals: with the letter after it, or, at the end of a
    word, with the consonant before it. The small sign is written together
    with a small letter after it first, so that "Льюис" is not read back as
    ЛЬюис, and a letter group before a small sign keeps its capitalised form
    (Шьёт, and with a consonant between, Ять). Small consonant pairs ("ть t`") come before the lone capital sign
    ("Ь. `."), so that a word that ends in a small sign is read back as one."""
    capital = sign.upper()
    for x in groups:
        for letter in consonants:
            profile.rule(x + small(letter) + sign, table(x) + table(small(letter)) + mark)
    for x in groups:
        profile.rule(x + sign, table(x) + mark)
    for letter in followers:
        profile.rule(sign + small(letter), mark + table(small(letter)))
    for letter in followers:
        profile.rule(capital + letter, mark + caps(table(letter)))
    for letter in consonants:
        profile.rule(letter + capital, caps(table(letter)) + mark)
    for letter in consonants:
        profile.rule(small(letter) + sign, table(small(letter)) + mark)
    for z in FOLLOWERS:
        profile.rule(capital + z, mark + z)


SOFT_SIGN_FOLLOWERS = [c for c in RUSSIAN_CAPITALS if c not in "ЪЬЫЙ"]
HARD_SIGN_FOLLOWERS = "ЕЁИЮЯЭ"


def reversible_order(profile):
    """Longer Latin before its parts, as reading back needs; the forward
    order of the rules that contain one another stays as it is."""
    def must_precede(a, b):
        if b[0] != a[0] and a[0] in b[0]:
            return False
        return longer_latin_first(a, b)
    profile.rules = stable_order(profile.rules, must_precede)


GOST_7_79_ROWS = [
    ("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"), ("Ё", "yo"),
    ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "j"), ("К", "k"), ("Л", "l"), ("М", "m"),
    ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"), ("С", "s"), ("Т", "t"), ("У", "u"),
    ("Ф", "f"), ("Х", "x"), ("Ц", "cz"), ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shh"),
    ("Ъ", "``"), ("Ы", "y`"), ("Ь", "`"), ("Э", "e`"), ("Ю", "yu"), ("Я", "ya")]


def gost_7_79_b():
    table = Table(GOST_7_79_ROWS)
    profile = Profile(
        "gost-7.79-b.pch",
        "ГОСТ 7.79-2000, система Б (латиница ASCII с буквосочетаниями), таблица 4: "
        "современный русский алфавит, обратимо. Ё yo, Й j, Х x, Щ shh, Ы y`, Э e`, "
        "Ъ ``, Ь `; Ц - c перед e, i, y, j (Е, Ё, И, Й, Ы, Э, Ю, Я) и cz в остальных "
        "случаях. Буквосочетание рядом с другой прописной буквой пишется прописными "
        "(ЩУКИН - SHHUKIN), как и одиночная прописная в самом конце имени. Не "
        "различает обратно одиночную прописную в конце имени "
        "(SHH читается как Щ, Shh в конце - как щ).",
        "Кириллица", "Латиница", reversible=True)
    # Ц before a letter written with e, i, y or j is c; the pair takes both.
    for vowel in "ЕЁИЙЫЭЮЯ":
        profile.rule("Ц" + vowel, "C" + caps(table(vowel)))
        profile.rule("Ц" + small(vowel), "C" + table(small(vowel)))
        profile.rule("ц" + small(vowel), "c" + table(small(vowel)))
    # Ы and Э end in the soft sign's mark: they come before the sign's pairs,
    # and a capitalised word that starts with a letter group before them
    # (Чэннинг) before that.
    groups = letter_groups(table, "ЩЖЧШЁЮЯЦ")
    for x in groups:
        for letter in "ыэ":
            profile.pair(x + letter, table(x) + table(letter))
    profile.singles(table, "ЫЭ")
    sign_rules(profile, table, "ъ", "``", HARD_SIGN_FOLLOWERS, RUSSIAN_CONSONANTS, groups)
    sign_rules(profile, table, "ь", "`", SOFT_SIGN_FOLLOWERS, RUSSIAN_CONSONANTS, groups)
    # The pairs of Ц with the letter after it, above, already took every Ц
    # that is c; what is left is cz.
    capital_pairs(profile, table, RUSSIAN_CAPITALS, groups)
    profile.singles(table, "ЩЖЧШЁЮЯ")
    profile.singles(table, "АБВГДЕЗИЙКЛМНОПРСТУФХЦ")
    profile.rule("ъ", "``")
    profile.rule("ь", "`")
    reversible_order(profile)
    return profile


def gost_16876_71():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "jo"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "jj"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "c"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shh"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "eh"), ("Ю", "ju"), ("Я", "ja")]
    table = Table(rows)
    profile = Profile(
        "gost-16876-71.pch",
        "ГОСТ 16876-71, таблица 2 (сочетания латинских букв без диакритики): "
        "русский алфавит, обратимо. Ё jo, Й jj, Х kh, Ц c, Щ shh, Ы y, Э eh, Ю ju, "
        "Я ja, Ь '. Ъ в таблице - кавычка \", которой не может быть в имени файла; "
        "здесь вместо неё два апострофа ''. Буквосочетание рядом с другой прописной "
        "буквой пишется прописными (ЩУКИН - SHHUKIN), как и одиночная прописная в "
        "самом конце имени. Не различает обратно одиночную "
        "прописную в конце имени (Shh в конце читается как щ).",
        "Кириллица", "Латиница", reversible=True)
    # Й (jj) before Ё, Ю, Я (jo, ju, ja): "jjo" is Й and О, not J and Ё.
    order = "ЩЙЖХЧШЭЁЮЯ" + "АБВГДЕЗИКЛМНОПРСТУФЦЫ"
    groups = letter_groups(table, order)
    sign_rules(profile, table, "ъ", "''", HARD_SIGN_FOLLOWERS, RUSSIAN_CONSONANTS, groups)
    sign_rules(profile, table, "ь", "'", SOFT_SIGN_FOLLOWERS, RUSSIAN_CONSONANTS, groups)
    capital_pairs(profile, table, RUSSIAN_CAPITALS, groups)
    profile.singles(table, order)
    profile.rule("ъ", "''")
    profile.rule("ь", "'")
    reversible_order(profile)
    return profile


def icao_9303():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "e"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "i"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "ts"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ъ", "ie"), ("Ы", "y"),
            ("Ь", ""), ("Э", "e"), ("Ю", "iu"), ("Я", "ia")]
    info = ("ICAO Doc 9303 (машиночитаемые проездные документы), как в загранпаспортах "
            "России с 2013 года: русский алфавит. Ё, Е, Э - E; И, Й - I; Ц Ts, Щ Shch, "
            "Ъ Ie, Ю Iu, Я Ia; Ь опускается. Слово из прописных - прописными, как в "
            "паспорте (ЩУКИН - SHCHUKIN). Необратимо: обратно E читается как Е, "
            "I как И, Ie как ИЕ, Ь не восстанавливается.")

    def reading_back(profile, table):
        # Ъ is "ie" as well; reading back, "ie" is far more often И and Е.
        for left, right in (("Ие", "Ie"), ("ИЕ", "IE"), ("ие", "ie")):
            profile.rule(left, right)

    return plain_profile("icao-9303.pch", info, rows,
                         ["Щ", "ЖХЦЧШЮЯЪ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЬ"], reading_back)


def gost_r_52535_1():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "e"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "i"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "tc"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ъ", ""), ("Ы", "y"),
            ("Ь", ""), ("Э", "e"), ("Ю", "iu"), ("Я", "ia")]
    info = ("ГОСТ Р 52535.1-2006, приложение А (загранпаспорта России 2006-2013 годов): "
            "русский алфавит. Ё, Е, Э - E; И, Й - I; Ц Tc, Щ Shch, Ю Iu, Я Ia; Ъ и Ь "
            "опускаются. Слово из прописных - прописными, как в паспорте (ЩУКИН - "
            "SHCHUKIN). Необратимо: обратно E читается как Е, I как И, tch как ТЧ, "
            "Ъ и Ь не восстанавливаются.")
    # Ч (ch) before Ц (tc): reading back, "tch" is ТЧ (Отчество), not Ц and H.
    return plain_profile("gost-r-52535.1-2006.pch", info, rows,
                         ["Щ", "ЖХЧШЮЯЦ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЪЬ"])


def gost_r_7_0_34():
    # The forms of the standard's own Table B.1 (ёлка yolka, Чайковский
    # Chajkovskij, хохот xoxot, цифра cifra, щит shhit, опять opyat').
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "yo"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "j"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "x"), ("Ц", "c"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shh"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "e"), ("Ю", "yu"), ("Я", "ya")]
    info = ("ГОСТ Р 7.0.34-2014, упрощённая транслитерация (формы таблицы Б.1 "
            "стандарта): русский алфавит. Ё yo, Й j, Х x, Ц c, Щ shh, Ю yu, Я ya, "
            "Ь '; Е и Э - e. Ъ в стандарте - кавычка \", которой не может быть в имени "
            "файла; здесь вместо неё два апострофа ''. В слове из прописных букв "
            "буквосочетание пишется прописными (ЩИТ - SHHIT), по п. 5.3; одиночная "
            "прописная в самом конце имени - тоже. Необратимо: "
            "обратно e читается как Е, yo как Ё (а не ЫО).")
    return plain_profile("gost-r-7.0.34-2014.pch", info, rows,
                         ["Щ", "ЖЧШЁЮЯЪ", "АБВГДЕЗИЙКЛМНОПРСТУФХЦЫЭЬ"])


def ala_lc():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "e"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "i"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "ts"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "e"), ("Ю", "iu"), ("Я", "ia")]
    info = ("ALA-LC (Библиотека Конгресса США), русский, без диакритических знаков: "
            "Ё, Е, Э - e; И, Й - i; Ц ts, Х kh, Щ shch, Ю iu, Я ia, Ь '. Ъ в таблице - "
            "двойной штрих, в ASCII кавычка \", которой не может быть в имени файла; "
            "здесь вместо неё два апострофа ''. Дореформенных букв нет. Буквосочетание "
            "рядом с другой прописной буквой пишется прописными, как и одиночная "
            "прописная в самом конце имени. Необратимо: "
            "обратно e читается как Е, i как И, ts как Ц.")
    return plain_profile("ala-lc.pch", info, rows,
                         ["Щ", "ЖХЦЧШЮЯЪ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЬ"])


def telegram():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "e"), ("Ж", "j"), ("З", "z"), ("И", "i"), ("Й", "i"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "h"), ("Ц", "c"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "sc"), ("Ъ", ""), ("Ы", "y"),
            ("Ь", ""), ("Э", "e"), ("Ю", "iu"), ("Я", "ia")]
    info = ("Латиница международных телеграмм (только ASCII, без знаков): русский "
            "алфавит. Ё, Е, Э - e; И, Й - i; Ж j, Х h, Ц c, Ч ch, Ш sh, Щ sc, Ю iu, "
            "Я ia; Ъ и Ь опускаются. Буквосочетание рядом с другой прописной буквой "
            "пишется прописными, как и одиночная прописная в самом конце имени. "
            "Необратимо: sh - это и Ш, и СХ, ch - и Ч, и ЦХ.")
    # Ч (ch) before Щ (sc): reading back, "sch" is СЧ (Счёт), not Щ and H.
    return plain_profile("telegram.pch", info, rows,
                         ["ЧШЩЮЯ", "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЫЭЪЬ"])


def standart():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "yo"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "y"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "ts"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "e"), ("Ю", "yu"), ("Я", "ya")]
    info = ("Стандартный профиль: русские буквы в читаемую латиницу ASCII (Щ Shch, "
            "Ж Zh, Ь ', Ъ ''); буквосочетание рядом с другой прописной буквой пишется "
            "прописными (ЩУКИН - SHCHUKIN), как и одиночная прописная в самом конце "
            "имени. Обратно возвращает кириллицу, где схема это "
            "позволяет: Э читается как Е, Й перед a, u, o - как Я, Ю, Ё, ТС - как Ц.")

    table = Table(rows)
    profile = Profile("standart.pch", info, "Кириллица", "Латиница")
    groups = letter_groups(table, "ЩЖХЦЧШЁЮЯ")
    # Ы after a consonant, so that reading back "Ty" is ТЫ, not ТЙ; after Ц
    # and Х first, whose Latin ends in a letter of its own, the others after
    # the letter groups, so that reading back "Pyotr" takes yo (Ё). A
    # capitalised word that starts with a letter group, a consonant and ы
    # takes the three letters together (Юным).
    for x in groups:
        for consonant in "ЦХБВГДЗКЛМНПРСТФ":
            c = small(consonant)
            profile.rule(x + c + "ы", table(x) + table(c) + "y")

    def after_consonant(consonants):
        for consonant in consonants:
            profile.rule(consonant + "ы", table(consonant) + "y")
            profile.rule(consonant + "Ы", caps(table(consonant) + "y"))
            profile.rule(small(consonant) + "ы", table(small(consonant)) + "y")

    after_consonant("ЦХ")
    # No pair of Ы or Й (y) with a group after it: reading back, "VYKHOD" is
    # ВЫ and ХОД.
    capital_pairs(profile, table, RUSSIAN_CAPITALS, groups, not_before="ЫЙ")
    profile.singles(table, "Щ" + "ЖХЦЧШЁЮЯЪ")
    after_consonant("БВГДЗКЛМНПРСТФ")
    profile.singles(table, "АБВГДЕЗИЙКЛМНОПРСТУФЫЭЬ")
    return profile


def bgn_pcgn():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "ye"),
            ("Ё", "ye"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "y"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "ts"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "e"), ("Ю", "yu"), ("Я", "ya")]
    table = Table(rows)
    info = ("BGN/PCGN 1947 (географические названия в США и Великобритании), русский, "
            "в ASCII: Е и Ё - ye в начале слова и после гласной, Й, Ъ, Ь, и e после "
            "согласной (Ё без точек, как разрешает правило 2); Й y, Ы y, Х kh, Ц ts, "
            "Щ shch, Ю yu, Я ya, Ь ', Ъ '' (в системе ’ и ”); необязательные точки "
            "правила 3 не ставятся. Начало слова определяется по парам букв: после "
            "согласной - e, иначе ye (ошибается после латинской буквы или цифры). "
            "Буквосочетание рядом с другой прописной буквой пишется прописными "
            "(ЕЛЕЦ - YELETS), как и одиночная прописная в самом конце имени. "
            "Необратимо.")
    profile = Profile("bgn-pcgn.pch", info, "Кириллица", "Латиница")
    # Е and Ё after a consonant: e. Everywhere else (the start of a word, after
    # a vowel, Й, Ъ or Ь) they keep the ye of their single-letter rule.
    context = []
    for consonant in RUSSIAN_CONSONANTS:
        for vowel in "ЕЁ":
            context.append((small(consonant) + small(vowel), table(small(consonant)) + "e"))
    groups = letter_groups(table, "ЩЖХЦЧШЮЯЕЁ")
    # A capitalised word starting with a letter group, a consonant and е.
    for x in groups:
        for pair, latin in context:
            profile.rule(x + pair, table(x) + latin)
    for consonant in RUSSIAN_CONSONANTS:
        for vowel in "ЕЁ":
            profile.rule(consonant + vowel, caps(table(consonant)) + "E")
            profile.rule(consonant + small(vowel), table(consonant) + "e")
        for vowel in "ЕЁ":
            profile.rule(small(consonant) + small(vowel), table(small(consonant)) + "e")
    capital_pairs(profile, table, RUSSIAN_CAPITALS, groups)
    profile.singles(table, "ЩЖХЦЧШЮЯЕЁЪ" + "АБВГДЗИЙКЛМНОПРСТУФЫЭЬ")
    return profile


# ---- Ukrainian -----------------------------------------------------------------

UKRAINIAN_IOTATED = "ЄЇЙЮЯ"
APOSTROPHES = ["'", "\u2019"]  # the typewriter apostrophe and ’ (0x92)


def ukrainian_2010():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "h"), ("Ґ", "g"), ("Д", "d"),
            ("Е", "e"), ("Ж", "zh"), ("З", "z"), ("И", "y"), ("І", "i"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "ts"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ь", "")]
    table = Table(rows)
    initial = Table([("Є", "ye"), ("Ї", "yi"), ("Й", "y"), ("Ю", "yu"), ("Я", "ya")])
    inside = {"Є": "ie", "Ї": "i", "Й": "i", "Ю": "iu", "Я": "ia"}
    profile = Profile(
        "ukrainian-2010.pch",
        "Украинский алфавит по официальной таблице транслитерации Украины 2010 года "
        "(постановление Кабмина № 55): Г h, Ґ g, И y, І i, Х kh, Ц ts, Щ shch; Ь и "
        "апостроф опускаются. Є, Ї, Й, Ю, Я в начале слова - Ye, Yi, Y, Yu, Ya, в "
        "других местах - ie, i, i, iu, ia; начало слова определяется приближённо, по "
        "парам букв: после буквы или апострофа буква стоит внутри слова, иначе в "
        "начале (ошибается лишь на слове из строчных букв, которое начинается с двух "
        "таких букв, например її). ЗГ - zgh. Буквосочетание рядом с другой прописной "
        "буквой пишется прописными (ЮРІЙ - YURII), как и одиночная прописная в самом "
        "конце имени. Русские Ё, Ъ, Ы, Э в таблице нет, "
        "они не меняются. Необратимо.",
        "Украинский", "Латиница")

    def form(letter):
        return initial(letter) if letter.upper() in UKRAINIAN_IOTATED else table(letter)

    def inner(letter):
        latin = inside[letter.upper()]
        return caps(latin) if letter.isupper() else latin

    # Ь and the apostrophe are dropped first, so that the letters around them
    # close up: in "Мар'їне" and "Ільюк" the Ї and Ю then follow a letter.
    profile.rule("Ь", "")
    profile.rule("ь", "")
    for mark in APOSTROPHES:
        profile.rule(mark, "")

    groups = [c for c in UKRAINIAN_CAPITALS if is_group(form(c))]
    pairs = []
    # Й comes before Ї: reading back, "ai" and "yi" are far more often АЙ and ИЙ.
    iotated = "ЙЄЮЯЇ"
    # Any other letter before one of them: inside the word.
    before = [c for c in UKRAINIAN_CAPITALS if c not in UKRAINIAN_IOTATED + "Ь"]
    consonants = [c for c in before if c not in "АЕИІОУ"]
    small_context = []
    for letter in before:
        for second in iotated:
            if second == "Й" and letter in consonants:
                # Й and Ї follow a consonant only where an apostrophe was dropped
                # (Мар'їне); reading back, "ri" is far more often РІ. These
                # lines change nothing going forward.
                pairs.append((letter + "і", table(letter) + "i"))
                pairs.append((letter + "І", caps(table(letter)) + "I"))
                pairs.append((small(letter) + "і", table(small(letter)) + "i"))
            pairs.append((letter + small(second), table(letter) + inner(small(second))))
            pairs.append((letter + second, caps(table(letter)) + inner(second)))
            latin = table(small(letter)) + inner(small(second))
            pairs.append((small(letter) + small(second), latin))
            small_context.append((small(letter) + small(second), latin))

    # Two of them in a row (моєю, гуляють, Гуляйполе, її): the second is inside
    # the word, and so is the first unless it is a capital followed by a small
    # letter, which starts a capitalised word (Її, Яєчня). Й is never the first.
    for first in iotated.replace("Й", ""):
        for second in iotated:
            pairs.append((first + small(second), initial(first) + inner(small(second))))
            pairs.append((first + second, inner(first) + inner(second)))
            latin = inner(small(first)) + inner(small(second))
            pairs.append((small(first) + small(second), latin))

    def context(pair):
        return pair[0][1].upper() in UKRAINIAN_IOTATED

    def must_precede(a, b):
        # In "моєю" the pair єю must take є before оє does, and in "Єнакієве"
        # ІЄ must take І before КІ does.
        if (context(a) and b[0][0].upper() not in UKRAINIAN_IOTATED
                and a[0][0].upper() == b[0][1].upper()):
            return True
        # Reading back, a longer Latin term before its parts.
        return b[1] != a[1] and b[1] in a[1]

    # A capitalised word that starts with a letter group and goes on with a
    # letter and Є Ї Й Ю Я (Юля, Чайка, Хрящ): the three together. After a
    # consonant only Є, Ю, Я follow without an apostrophe; Є Ї Ю Я start
    # words with a vowel or Л after them far more often than with another
    # consonant.
    for x in groups:
        for pair, latin in small_context:
            if (pair[0] in "аеиіоул"
                    or (x not in UKRAINIAN_IOTATED and pair[1] in "єюя")):
                profile.rule(x + pair, form(x) + latin)
    # зг is zgh, so that it does not read as ж (zh).
    profile.rule("Зг", "Zgh")
    profile.rule("ЗГ", "ZGH")
    profile.rule("зг", "zgh")
    profile.rule("зГ", "zGH")
    for left, right in stable_order(pairs, must_precede):
        profile.rule(left, right)

    capital_pairs(profile, form, UKRAINIAN_CAPITALS, groups)
    # What is left of Є Ї Й Ю Я starts a word (a small one after a space, a dash,
    # a digit or at the start of the name).
    profile.singles(initial, "ЄЇЮЯ")
    profile.singles(table, "ЩЖХЦЧШ")
    profile.singles(table, "АБВГҐДЕЗИІКЛМНОПРСТУФ")
    # Й after И: both are Y at the start of a word, and И is the one to read back.
    profile.singles(initial, "Й")
    return profile


PROFILES = [standart, icao_9303, gost_7_79_b, gost_16876_71, gost_r_52535_1, gost_r_7_0_34,
            ala_lc, telegram, bgn_pcgn, ukrainian_2010]


def main(argv):
    check_only = "--check" in argv
    failed = False
    for make in PROFILES:
        profile = make()
        problems = profile.check()
        for problem in problems:
            print(problem, file=sys.stderr)
        failed = failed or bool(problems)
        path = os.path.join(HERE, profile.file_name)
        data = profile.encoded()
        if check_only:
            try:
                with open(path, "rb") as existing:
                    same = existing.read() == data
            except OSError:
                same = False
            if not same:
                print("%s is not what the generator writes" % path, file=sys.stderr)
                failed = True
        elif not problems:
            with open(path, "wb") as out:
                out.write(data)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
