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
written in capitals (SHCH) when a neighbour on either side is a capital
letter, and capitalised (Shch) otherwise: at the start of a capitalised
word, as an initial ("Ю.Ж." is "Yu.Zh."), alone, at the end of a name. The
rules say so with letters together, placed before the single letters, which
write the capitalised form:

  * each capital followed or preceded by a capital: "ЩУ SHCHU", "АЩ ASHCH",
    "ЖЩ ZHSHCH";
  * three letters where the middle one is next to two letter groups ("ЧАЩ
    CHASHCH"), or all three are letter groups, since a pair would take the
    middle letter from one of them;
  * the same around the letters that a scheme writes by context (BGN/PCGN
    "ЛЕ LE" gets "ХЛЕ KHLE" before it), so that a rule of the scheme never
    takes a letter that a letter group needs as its neighbour.

Where the Latin of a letter depends on the letter before or after it (BGN/PCGN
е after a consonant, Ukrainian Є Ї Й Ю Я inside a word, an ending such as
-ый), the scheme's rules are letter pairs or triples in three case forms
(small, Capitalised, CAPITALS) placed first. The end of a word is a letter
not followed by another letter: the pair with each following letter comes
first, the letter alone after it.

Run: python3 profiles/make_profiles.py        (writes the .pch files)
     python3 profiles/make_profiles.py --check (fails if a file differs or a
                                                profile breaks the rules above)
Whether the profiles that claim it read back, rule by rule and over every
sequence of two and three letters, is checked by the engine's profile check
(engine/profile_check.h), which runs the real engine.
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


def capitalised(latin):
    """The first letter of latin in capitals (Shch, 'Ye), the rest as it is."""
    for i, c in enumerate(latin):
        if c.isalpha():
            return latin[:i] + c.upper() + latin[i + 1:]
    return latin


def is_group(latin):
    """True for a Latin form whose capitalised and all-capitals forms differ
    (Shch and SHCH), false for a single letter or a mark (Y`, '')."""
    return capitalised(latin) != caps(latin)


def has_case(latin):
    return any(c.isalpha() for c in latin)


class Table:
    """Latin forms of each letter: capital (as at the start of a capitalised
    word) and small."""

    def __init__(self, rows):
        self.capital = {}
        self.small = {}
        for cyrillic, latin in rows:
            self.capital[cyrillic] = capitalised(latin)
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
    by_index = list(range(len(rules)))

    def place(index):
        if index in done:
            return
        if index in active:
            raise ValueError("the rules cannot be ordered: %r" % (rules[index],))
        active.add(index)
        for other in by_index:
            if other != index and must_precede(rules[other], rules[index]):
                place(other)
        active.discard(index)
        done.add(index)
        placed.append(rules[index])

    for index in by_index:
        place(index)
    return placed


def longer_latin_first(a, b):
    return a[1] != b[1] and b[1] in a[1]


class Profile:
    def __init__(self, file_name, info, left_side, right_side, reversible=False):
        self.file_name = file_name
        self.info = info
        self.left_side = left_side
        self.right_side = right_side
        self.reversible = reversible
        self.rules = []
        self.lefts = set()
        self.rights = set()

    def rule(self, left, right):
        self.rules.append((left, right))
        self.lefts.add(left)
        self.rights.add(right)

    def pair(self, left, right):
        """A generated rule: left out when an earlier rule already takes its
        text (an earlier left term is part of it), and in a profile that reads
        back when an earlier rule writes the same (the scheme writes both
        alike; reading back gives the earlier one)."""
        if self.reversible and right in self.rights:
            return
        for i in range(len(left)):
            for j in range(i + 1, len(left) + 1):
                if left[i:j] in self.lefts:
                    return
        self.rule(left, right)

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
            earlier = {}
            for later in range(len(self.rules)):
                term = self.rules[later][side]
                if not term:
                    if side == 1:
                        problems.append("%s reverse: line %d has an empty right term"
                                        % (name, later + 4))
                    continue
                parts = [earlier[term[i:j]] for i in range(len(term))
                         for j in range(i + 1, len(term) + 1) if term[i:j] in earlier]
                if parts:
                    first = min(parts)
                    a, b = self.rules[first][0], self.rules[later][0]
                    if (side == 1 and len(a) == len(b) == 1 and a.lower() == b.lower()
                            and term == self.rules[first][1] and not has_case(term)):
                        continue  # the capital of a sign, read back small
                    problems.append("%s %s: line %d (%s) never applies after line %d (%s)"
                                    % (name, direction, later + 4, term, first + 4,
                                       self.rules[first][side]))
                earlier.setdefault(term, later)
        return problems

    def encoded(self):
        lines = [self.info, self.left_side, self.right_side]
        lines += ["%s %s" % (left.replace(" ", "/s"), right.replace(" ", "/s"))
                  for left, right in self.rules]
        return ("\r\n".join(lines) + "\r\n").encode("cp1251")


def case_forms(cyrillic, parts):
    """A run of small letters and the Latin of each, in its three case forms:
    small, Capitalised, CAPITALS."""
    latin = "".join(parts)
    return [(cyrillic, latin),
            (cyrillic[0].upper() + cyrillic[1:], capitalised(latin)),
            (cyrillic.upper(), caps(latin))]


def assemble(profile, table, alphabet, tiles=(), order=None, after_tiles=None,
             marks_read_back=None):
    """The rules of a profile: the scheme's context tiles (pairs and triples of
    letters in their case forms, most specific first), the capitals decided
    by their neighbours, then every letter alone (see the top of this file).

    table(letter) gives a letter's Latin; alphabet lists the capitals; order
    the capitals in the order of their single-letter rules (for reading back,
    longer Latin first; default: alphabet). after_tiles(profile) may add
    rules between the tiles and the capitals.

    In a profile that reads back (or when marks_read_back is set), a letter
    written as a mark without case (Ъ as '') is placed among the letter
    groups: reading back tells a capital sign by the capital next to it, so
    it needs that neighbour as a group does. Such a profile also leaves out a
    rule that writes what a single letter writes (Е and Ь in capitals are
    E`, as Э is in GOST 7.79): reading back gives the letter."""
    order = order or alphabet
    tile = profile.pair
    if marks_read_back is None:
        marks_read_back = profile.reversible
    marks = [c for c in alphabet if table(small(c)) and not has_case(table(small(c)))]
    # In a profile that reads back, the letter groups' rules follow the order
    # of the single letters: reading back, "JJOA" must meet ЙА's "JJO" before
    # ЁА's "JOA", as "jjo" meets Й before Ё.
    groups = [c for c in (order if profile.reversible else alphabet)
              if is_group(table(small(c))) or (marks_read_back and not table(small(c)).isalpha())]
    others = [c for c in alphabet if c not in groups]
    written = {c: caps(table(small(c))) for c in alphabet}
    if profile.reversible:
        for c in alphabet:
            profile.rights.update((table(c), table(small(c))))

    if marks_read_back:
        alone_written = {caps(table(small(c))) for c in alphabet}

        def tile(left, right):
            # Two signs in a row write what one sign may write ('' is Ъ in
            # GOST 16876-71, and Ь twice): no rule for them.
            if profile.reversible and any(a in marks and b in marks
                                          for a, b in zip(left, left[1:])):
                return
            # Letters that write what one letter writes (ШЧ is SHCH, as Щ is):
            # reading back takes the letter.
            if right in alone_written:
                return
            profile.pair(left, right)
    # A tile in capitals takes letters that a letter group beside it needs:
    # the group and the tile together come first. Not a group that a tile
    # writes by the letter before it (BGN/PCGN's Е, e after a consonant):
    # "ЕРЕ" would take the Е of "ЧЕРЕП" from "ЧЕ". (So at the start of a word
    # in capitals such a letter before a tile stands alone: ЕЛЕЦ is YeLETS.)
    by_letter_before = {left[-1] for left, right in tiles
                        if len(left) > 1 and left[-1] in written
                        and not right.upper().endswith(written[left[-1]])}
    for left, right in tiles:
        if left.isupper() and left.upper() == left and len(left) < 3:
            for g in groups:
                if g not in by_letter_before:
                    profile.pair(g + left, written[g] + right)
                profile.pair(left + g, right + written[g])
    for left, right in tiles:
        profile.pair(left, right)
    if marks_read_back:
        # A small sign and the small letter after it, first: "ВЬ" in capitals
        # writes V', as "Вь" does, and reading back "V'yuga" must take 'yu
        # (ью) before V' (ВЬ). Before them a letter whose Latin ends as a
        # sign's begins (GOST 7.79's Ы y`) and the small letter after it:
        # "y`a" is ЫА, not y and ЬА.
        ending_as_sign = [x for x in alphabet if x not in marks and
                          any(written[x].endswith(written[s][:1]) for s in marks)]
        for x in ending_as_sign:
            for sign in marks:  # y``a is ыьа
                for c in alphabet:
                    if c not in marks:
                        latin = table(small(sign)) + table(small(c))
                        profile.pair(small(x + sign + c), table(small(x)) + latin)
                        profile.pair(x + small(sign + c), table(x) + latin)
        for sign in marks:  # ьэ `e` before эс e`s
            for x in ending_as_sign:
                profile.pair(small(sign) + small(x), table(small(sign)) + table(small(x)))
        for x in ending_as_sign:
            for c in alphabet:
                if c not in marks:
                    profile.pair(small(x) + small(c), table(small(x)) + table(small(c)))
                    profile.pair(x + small(c), table(x) + table(small(c)))
        for sign in marks:
            for c in alphabet:
                if c not in marks:
                    profile.pair(small(sign) + small(c), table(small(sign)) + table(small(c)))
    if after_tiles:
        after_tiles(profile)
    if marks_read_back:
        # A letter whose Latin ends as a sign begins (GOST 7.79's Ы y`), a
        # sign and a letter: Y``A is ЫЬА, not Y and ЪА.
        for x in ending_as_sign:
            for s in marks:
                for n in alphabet:
                    if n not in marks:
                        tile(x + s + n, written[x] + written[s] + written[n])
    for a in groups:
        for b in groups:
            for c in groups:
                tile(a + b + c, written[a] + written[b] + written[c])
    for a in groups:
        for b in groups:
            tile(a + b, written[a] + written[b])
    for a in groups:
        for n in others:
            for b in groups:
                tile(a + n + b, written[a] + written[n] + written[b])
    for g in groups:
        for n in others:
            tile(n + g, written[n] + written[g])
    for g in groups:
        for n in others:
            tile(g + n, written[g] + written[n])
    # A letter written without case (a sign as a mark) next to a capital: in
    # capitals, so that reading back can give the capital sign.
    if not marks_read_back:
        for s in marks:
            for c in alphabet:
                if c not in marks:
                    profile.pair(c + s, written[c] + written[s])
                    profile.pair(s + c, written[s] + written[c])
    if profile.reversible:
        for c in alphabet:
            profile.rights.discard(table(c))
            profile.rights.discard(table(small(c)))
    singles(profile, table, order)
    return profile


def singles(profile, table, capitals):
    """Each letter alone, capitalised: a capital with a capital beside it was
    taken by a rule above."""
    for capital in capitals:
        cap = table(capital)
        low = table(small(capital))
        if not has_case(low):
            # A mark without case (Ь as '): the small letter is what reads back.
            # The capital writes the same, for a run in which case counts;
            # reading back it never applies, as a sign's case cannot show.
            profile.pair(small(capital), low)
            if capital not in profile.lefts:
                profile.rule(capital, cap)
            continue
        profile.pair(capital, cap)
        profile.pair(small(capital), low)


def reversible_order(profile, keep_letters=False):
    """Longer Latin before its parts, as reading back needs; the forward
    order of the rules that contain one another stays as it is. With
    keep_letters the rules of one letter stay where they are (a capital's
    rule must come after the pairs that write it in capitals)."""
    rules = profile.rules
    holding = {}  # a piece of Latin -> the rules whose Latin holds it
    for index, (_, right) in enumerate(rules):
        for i in range(len(right)):
            for j in range(i + 1, len(right) + 1):
                holding.setdefault(right[i:j], []).append(index)
    placed, done, active = [], set(), set()

    def place(index):
        if index in done:
            return
        if index in active:
            raise ValueError("the rules cannot be ordered: %r" % (rules[index],))
        active.add(index)
        left, right = rules[index]
        for other in holding.get(right, []):
            a = rules[other]
            if keep_letters and len(a[0]) == 1:
                continue
            if other != index and a[1] != right and not (a[0] != left and a[0] in left):
                place(other)
        active.discard(index)
        done.add(index)
        placed.append(rules[index])

    for index in range(len(rules)):
        place(index)
    profile.rules = placed


# ---- Russian schemes -----------------------------------------------------------

def plain_profile(file_name, info, rows, order, tiles=(), left_side="Кириллица",
                  right_side="Латиница", alphabet=RUSSIAN_CAPITALS, reversible=False):
    """A profile of letters written the same everywhere, apart from the context
    tiles given. order lists the capitals in the order of their single-letter
    rules (longer Latin first where reading back should prefer it)."""
    table = Table(rows)
    profile = Profile(file_name, info, left_side, right_side, reversible)
    assemble(profile, table, alphabet, list(tiles), "".join(order))
    return profile


def tiles_of(pairs):
    """The case forms of runs of small letters given with the Latin of each."""
    out = []
    for cyrillic, parts in pairs:
        out += case_forms(cyrillic, parts)
    return out


GOST_7_79_ROWS = [
    ("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"), ("Ё", "yo"),
    ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "j"), ("К", "k"), ("Л", "l"), ("М", "m"),
    ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"), ("С", "s"), ("Т", "t"), ("У", "u"),
    ("Ф", "f"), ("Х", "x"), ("Ц", "cz"), ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shh"),
    ("Ъ", "``"), ("Ы", "y`"), ("Ь", "`"), ("Э", "e`"), ("Ю", "yu"), ("Я", "ya")]


def gost_7_79_b():
    table = Table(GOST_7_79_ROWS)
    info = ("ГОСТ 7.79-2000, система Б (латиница ASCII с буквосочетаниями), таблица 4: "
            "современный русский алфавит, обратимо. Ё yo, Й j, Х x, Щ shh, Ы y`, Э e`, "
            "Ъ ``, Ь `; Ц - c перед e, i, y, j (Е, Ё, И, Й, Ы, Э, Ю, Я) и cz в остальных "
            "случаях. Буквосочетание рядом с прописной буквой пишется прописными "
            "(ЩУКИН - SHHUKIN, ПЛАЩ - PLASHH), одиночная прописная - как в начале "
            "слова (Ю.Ж. - Yu.Zh.). Обратно не различает лишь то, что и стандарт "
            "пишет одинаково: ЬЬ и Ъ (``), ЕЬ и Э (e`), ЕЪ и ЭЬ (e``).")
    # Ц before a letter written with e, i, y or j is c; the pair takes both.
    tiles = tiles_of(("ц" + small(v), ["c", table(small(v))]) for v in "ЕЁИЙЫЭЮЯ")
    profile = Profile("gost-7.79-b.pch", info, "Кириллица", "Латиница", reversible=True)
    assemble(profile, table, RUSSIAN_CAPITALS, tiles,
             "ЩЖЧШЁЮЯ" + "ЫЭ" + "АБВГДЕЗИЙКЛМНОПРСТУФХЦ" + "ЪЬ")
    reversible_order(profile)
    return profile


def gost_16876_71():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "jo"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "jj"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "c"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shh"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "eh"), ("Ю", "ju"), ("Я", "ja")]
    info = ("ГОСТ 16876-71, таблица 2 (сочетания латинских букв без диакритики): "
            "русский алфавит, обратимо. Ё jo, Й jj, Х kh, Ц c, Щ shh, Ы y, Э eh, Ю ju, "
            "Я ja, Ь '. Ъ в таблице - кавычка \", которой не может быть в имени файла; "
            "здесь вместо неё два апострофа ''. Буквосочетание рядом с прописной "
            "буквой пишется прописными (ЩУКИН - SHHUKIN, ПЛАЩ - PLASHH), одиночная "
            "прописная - как в начале слова (Ю.Ж. - Ju.Zh.). Обратно не различает "
            "лишь то, что и таблица пишет одинаково: ЬЬ и Ъ ('').")
    # Й (jj) before Ё, Ю, Я (jo, ju, ja): "jjo" is Й and О, not J and Ё.
    profile = plain_profile("gost-16876-71.pch", info, rows,
                            ["ЩЙЖХЧШЭЁЮЯ", "АБВГДЕЗИКЛМНОПРСТУФЦЫ", "ЪЬ"], reversible=True)
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

    # Ъ is "ie" as well; reading back, "ie" is far more often И and Е. Longer
    # Latin first, so that SHCHU is read back as ЩУ, not ШЧ and У.
    profile = plain_profile("icao-9303.pch", info, rows,
                            ["Щ", "ЖХЦЧШЮЯЪ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЬ"],
                            tiles_of([("ие", ["i", "e"])]))
    reversible_order(profile, keep_letters=True)
    return profile


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
            "буквосочетание пишется прописными (ЩИТ - SHHIT), по п. 5.3, одиночная "
            "прописная - как в начале слова (Ю.Ж. - Yu.Zh.). Необратимо: "
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
            "рядом с прописной буквой пишется прописными, одиночная прописная - как в "
            "начале слова (Ю.Ж. - Iu.Zh.). Необратимо: "
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
            "Я ia; Ъ и Ь опускаются. Буквосочетание рядом с прописной буквой пишется "
            "прописными, одиночная прописная - как в начале слова (Ю.Ч. - Iu.Ch.). "
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
            "Ж Zh, Ь ', Ъ ''); буквосочетание рядом с прописной буквой пишется "
            "прописными (ЩУКИН - SHCHUKIN, ПЛАЩ - PLASHCH), одиночная прописная - как в "
            "начале слова (Ю.Ж. - Yu.Zh.). Обратно возвращает кириллицу, прописные - "
            "прописными, где схема это позволяет: Э читается как Е, y - как Й (после "
            "согласной - как Ы), Й перед a, u, o - как Я, Ю, Ё, ТС - как Ц.")
    table = Table(rows)
    # Ы after a consonant, so that reading back "Ty" is ТЫ, not ТЙ; тш, so
    # that "tsh" is not read as Ц and h. Reading back takes small ё, ю, я
    # before the small and capitalised pairs with ы (but after those of Ц and
    # Х, whose Latin ends in a letter of its own), so that "Pyotr" is Пётр,
    # not Пыотр; the pairs in capitals go first, so that a letter group beside
    # them is written in capitals.
    first = [("тш", ["t", "sh"])] + [(small(c) + "ы", [table(small(c)), "y"]) for c in "ЦХ"]
    later = [(small(c) + "ы", [table(small(c)), "y"]) for c in "БВГДЗКЛМНПРСТФЖЧШЩ"]
    tiles = tiles_of(first) + [t for t in tiles_of(later) if t[0].isupper()]
    def small_groups_then_pairs(p):
        for c in "ЁЮЯ":
            p.pair(small(c), table(small(c)))
        for left, right in tiles_of(later):
            if not left.isupper():
                p.pair(left, right)

    profile = Profile("standart.pch", info, "Кириллица", "Латиница")
    assemble(profile, table, RUSSIAN_CAPITALS, tiles,
             "Щ" + "ЖХЦЧШЁЮЯЪ" + "АБВГДЕЗИЙКЛМНОПРСТУФЫЭЬ", marks_read_back=True,
             after_tiles=small_groups_then_pairs)
    reversible_order(profile, keep_letters=True)
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
            "Буквосочетание рядом с прописной буквой пишется прописными "
            "(ЩЁЛКОВО - SHCHELKOVO), одиночная прописная - как в начале слова; Е и Ё в "
            "начале слова из прописных перед согласной и Е - Ye (ЕЛЕЦ - YeLETS). "
            "Необратимо.")
    # Е and Ё after a consonant: e. Everywhere else (the start of a word, after
    # a vowel, Й, Ъ or Ь) they keep the ye of their single-letter rule.
    tiles = tiles_of([(small(c) + v, [table(small(c)), "e"])
                      for c in RUSSIAN_CONSONANTS for v in "её"])
    profile = Profile("bgn-pcgn.pch", info, "Кириллица", "Латиница")
    return assemble(profile, table, RUSSIAN_CAPITALS, tiles,
                    "ЩЖХЦЧШЮЯЕЁЪ" + "АБВГДЗИЙКЛМНОПРСТУФЫЭЬ")


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
        "таких букв, например її, и на такой паре внутри слова из прописных). ЗГ - zgh. "
        "Буквосочетание рядом с прописной "
        "буквой пишется прописными (ЮРІЙ - YURII), одиночная прописная - как в начале "
        "слова (Ю.Ж. - Yu.Zh.). Русские Ё, Ъ, Ы, Э в таблице нет, "
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
                # (None in capitals: ЛІ would take the Л that ЮЛ needs in ЮЛІЯ,
                # and "LI" reads back as ЛІ letter by letter.)
                pairs.append((letter + "і", table(letter) + "i"))
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
            # In capitals as in a capitalised word: ЇЇ is YII, as Її is Yii.
            pairs.append((first + second, caps(initial(first)) + inner(second)))
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
    # A pair in capitals takes a letter that a letter group beside it needs
    # (ЧАЙКА: АЙ is AI, and Ч then stands alone; ЮЛЯ: ЛЯ is LIA): the group
    # and the pair together come first. Є Ї Ю Я before a pair are taken as at
    # the start of a word (ЮЛЯ is YULIA; after a vowel, as in АЮЛЯ, they
    # would be inside it: a limit of letter pairs).
    for left, right in pairs:
        if len(left) == 2 and left.isupper():
            for g in groups:
                profile.pair(g + left, caps(form(g)) + right)
                # After a letter Є Ї Ю Я are inside the word.
                after = inner(g) if g in UKRAINIAN_IOTATED else caps(form(g))
                profile.pair(left + g, right + after)
    for left, right in stable_order(pairs, must_precede):
        if left not in profile.lefts:
            profile.rule(left, right)

    assemble(profile, form, UKRAINIAN_CAPITALS, (),
             "ЄЇЮЯ" + "ЩЖХЦЧШ" + "АБВГҐДЕЗИІКЛМНОПРСТУФ" + "Й" + "Ь")
    return profile


# ---- More Russian schemes --------------------------------------------------------

RUSSIAN_VOWELS = "аеёиоуыэюя"


def russian_rows(**changes):
    """The readable base table with a scheme's own letters changed."""
    rows = dict(а="a", б="b", в="v", г="g", д="d", е="e", ё="e", ж="zh", з="z", и="i",
                й="y", к="k", л="l", м="m", н="n", о="o", п="p", р="r", с="s", т="t",
                у="u", ф="f", х="kh", ц="ts", ч="ch", ш="sh", щ="shch", ъ="", ы="y", ь="",
                э="e", ю="yu", я="ya")
    rows.update(changes)
    return [(c.upper(), rows[c]) for c in rows]


def word_end(ending, at_end, inside, table, letters):
    """The tiles of an ending: followed by a letter it is inside the word
    (inside, then the letter's own Latin), otherwise at the end of a word."""
    out = []
    for letter in letters:
        out.append((ending + letter, inside + [table(letter)]))
    out.append((ending, at_end))
    return out


def wikipedia():
    table = Table(russian_rows(е="ye", ё="yo"))
    consonants = [small(c) for c in RUSSIAN_CONSONANTS + "Й"]
    pairs = []
    # Endings first: -ый, -ий are y, -ые is ye, at the end of a word.
    for ending, at_end, inside in (("ый", ["y", ""], ["y", "y"]), ("ий", ["", "y"], ["i", "y"]),
                                   ("ые", ["y", "e"], ["y", "ye"])):
        pairs += word_end(ending, at_end, inside, table, small(RUSSIAN_CAPITALS))
    for sign in "ъь":
        for vowel in "аиоуыэ":
            pairs.append((sign + vowel, ["y", table(vowel)]))
        for vowel in "еёюя":
            pairs.append((sign + vowel, ["", "y" + table(vowel)[-1:] if vowel != "ё" else "yo"]))
    pairs += [(c + "е", [table(c), "e"]) for c in consonants]
    info = ("Романизация русского языка Википедии (WP:RUS, изменённая BGN/PCGN): без "
            "апострофов; Е - ye в начале слова, после гласной, Ъ и Ь, e после согласной и "
            "Й; Ё yo; Ъ и Ь опускаются, перед а, и, о, у, ы, э - y; окончания -ый и -ий - "
            "y, -ые - ye. Начало и конец слова определяются по соседней букве: ошибается "
            "после латинской буквы или цифры; окончание -ий всегда y (Рыркайпий - "
            "Ryrkaypy, а не Ryrkaypiy: это различает только словарь); аббревиатура "
            "пишется как слово из прописных (ДШК - DSHK). Необратимо.")
    profile = Profile("wikipedia.pch", info, "Кириллица", "Латиница")
    return assemble(profile, table, RUSSIAN_CAPITALS, tiles_of(pairs),
                    "ЩЖХЦЧШЁЮЯЕ" + "АБВГДЗИЙКЛМНОПРСТУФЫЭЪЬ")


def mvd_310_1997():
    pairs = [(sign + v, ["", "ye"]) for sign in "ъь" for v in "её"]
    info = ("Приказ МВД России № 310 от 1997 года, приложение 7 (загранпаспорта 1997-2010 "
            "годов): Ё, Е, Э - e; Й y, Х kh, Ц ts, Щ shch, Ю yu, Я ya, Ь ', Ъ '' (в "
            "таблице - кавычка, которой не может быть в имени файла); Е и Ё после Ь или Ъ - "
            "ye, знак тогда не пишется. Таблица приказа известна по вторичным источникам, "
            "которые расходятся в Ъ, Ь и Ё. Буквосочетание рядом с прописной буквой пишется "
            "прописными, одиночная прописная - как в начале слова. Необратимо.")
    return plain_profile("mvd-310-1997.pch", info, russian_rows(ъ="''", ь="'"),
                         ["Щ", "ЖХЦЧШЮЯ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЪЬ"], tiles_of(pairs))


def road_sign_table(yi_after_soft_sign):
    """The table of GOST R 52290-2004 (Г.5) and of the MVD's driving licences
    of 2000: Е ye after a vowel and a sign, Ё ye after a consonant, e after Ж Ч
    Ш Щ, yo elsewhere; the signs are apostrophes."""
    table = Table(russian_rows(ё="yo", ъ="'", ь="'"))
    pairs = []
    if yi_after_soft_sign:
        pairs.append(("ьи", ["'", "yi"]))
    pairs += [(v + "е", [table(v), "ye"]) for v in RUSSIAN_VOWELS + "ъь"]
    pairs += [(c + "ё", [table(c), "ye"]) for c in "бвгдзклмнпрстфхц"]
    pairs += [(c + "ё", [table(c), "e"]) for c in "жчшщ"]
    return table, tiles_of(pairs)


def mvd_782_2000():
    table, tiles = road_sign_table(True)
    info = ("МВД 782-2000: таблица латиницы водительских удостоверений 2000 года (та же, что "
            "ГОСТ Р 52290-2004, и ЬИ - 'yi). Е - e, после гласной, Ъ и Ь - ye; Ё - ye после "
            "согласной, e после Ж, Ч, Ш, Щ, иначе yo; Й y, Х kh, Ц ts, Щ shch, Ъ и Ь - '. "
            "Е в начале слова - e (Е инициала как YE таблица не отличает); апостроф знака "
            "перед ye, yi сохраняется (Объедков - Ob'yedkov). Буквосочетание рядом с "
            "прописной буквой пишется прописными. Необратимо.")
    profile = Profile("mvd-782-2000.pch", info, "Кириллица", "Латиница")
    return assemble(profile, table, RUSSIAN_CAPITALS, tiles,
                    "ЩЖХЦЧШЁЮЯ" + "АБВГДЕЗИЙКЛМНОПРСТУФЫЭЪЬ")


def gost_r_52290_2004():
    table, tiles = road_sign_table(False)
    info = ("ГОСТ Р 52290-2004, таблица Г.5 (латиница дорожных знаков): Е - e, после "
            "гласной, Ъ и Ь - ye; Ё - ye после согласной, e после Ж, Ч, Ш, Щ, иначе yo; "
            "Й y, Х kh, Ц ts, Щ shch, Ъ и Ь - '. Е в начале слова - e (Е инициала как YE "
            "таблица не отличает); апостроф знака перед ye сохраняется. Буквосочетание "
            "рядом с прописной буквой пишется прописными. Необратимо.")
    profile = Profile("gost-r-52290-2004.pch", info, "Кириллица", "Латиница")
    return assemble(profile, table, RUSSIAN_CAPITALS, tiles,
                    "ЩЖХЦЧШЁЮЯ" + "АБВГДЕЗИЙКЛМНОПРСТУФЫЭЪЬ")


def moscow_metro():
    table = Table(russian_rows(щ="sch"))
    pairs = []
    for ending, inside in (("ий", ["i", "y"]), ("ый", ["y", "y"])):
        pairs += word_end(ending, ["", "y"] if ending == "ий" else ["y", ""], inside, table,
                          small(RUSSIAN_CAPITALS))
    pairs.append(("тц", ["t", "s"]))
    for sign in "ъь":
        for vowel in "аеёиоуэ":
            pairs.append((sign + vowel, ["y", "o" if vowel == "ё" else table(vowel)]))
    info = ("Латиница схемы и указателей Московского метро (по данным, восстановленным по "
            "схеме; текста правил метрополитена нет): Ё и Е - e, Й y, Х kh, Ц ts, Щ sch, "
            "Ю yu, Я ya; ТЦ - ts; Ъ и Ь опускаются, перед а, е, ё, и, о, у, э - y (ЬЁ - "
            "yo); окончания -ий и -ый - y. Конец слова определяется по следующей букве: "
            "ошибается перед латинской буквой или цифрой. Буквосочетание рядом с прописной "
            "буквой пишется прописными. Необратимо.")
    profile = Profile("moscow-metro.pch", info, "Кириллица", "Латиница")
    return assemble(profile, table, RUSSIAN_CAPITALS, tiles_of(pairs),
                    "ЩЖХЦЧШЮЯ" + "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЪЬ")


def yandex_maps():
    table = Table(russian_rows(е="ye", ё="yo", щ="sch"))
    pairs = word_end("ый", ["i", "y"], ["y", "y"], table, small(RUSSIAN_CAPITALS))
    pairs += [("ъе", ["", "ye"]), ("ье", ["", "ye"]), ("ьи", ["y", "i"])]
    pairs += [(c + "е", [table(c), "e"]) for c in small(RUSSIAN_CONSONANTS + "Й")]
    info = ("Правила транскрибирования Яндекс Карт (Народная карта), русская страница: Е - "
            "e после согласной, ye в начале слова, после гласной и Ь; Ё yo, Й y, Х kh, "
            "Ц ts, Щ sch; Ъ и Ь не пишутся, кроме ЪЕ - ye и ЬИ - yi; окончание -ый - iy. "
            "Начало и конец слова определяются по соседней букве (ошибается рядом с "
            "латинской буквой или цифрой). Буквосочетание рядом с прописной буквой "
            "пишется прописными. Необратимо.")
    profile = Profile("yandex-maps.pch", info, "Кириллица", "Латиница")
    return assemble(profile, table, RUSSIAN_CAPITALS, tiles_of(pairs),
                    "ЩЖХЦЧШЁЮЯЕ" + "АБВГДЗИЙКЛМНОПРСТУФЫЭЪЬ")


def yandex_money():
    info = ("Таблица Яндекс.Денег (имена на картах; по вторичным данным): Ё и Е - e, Й i, "
            "Х kh, Ц ts, Щ sch, Ю yu, Я ya; Ъ и Ь не пишутся; правил по соседним буквам "
            "нет. Буквосочетание рядом с прописной буквой пишется прописными. Необратимо.")
    return plain_profile("yandex-money.pch", info, russian_rows(й="i", щ="sch"),
                         ["Щ", "ЖХЦЧШЮЯ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЪЬ"])


# ---- Other languages -------------------------------------------------------------

BULGARIAN_CAPITALS = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ"
MACEDONIAN_CAPITALS = "АБВГДЃЕЖЗЅИЈКЛЉМНЊОПРСТЌУФХЦЧЏШ"
BELARUSIAN_CAPITALS = "АБВГДЕЁЖЗІЙКЛМНОПРСТУЎФХЦЧШЫЬЭЮЯ"
SERBIAN_CAPITALS = "АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ"


def bulgarian_2009():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "y"), ("К", "k"), ("Л", "l"),
            ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"), ("С", "s"),
            ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "h"), ("Ц", "ts"), ("Ч", "ch"),
            ("Ш", "sh"), ("Щ", "sht"), ("Ъ", "a"), ("Ь", "y"), ("Ю", "yu"), ("Я", "ya")]
    table = Table(rows)
    pairs = [("българия", ["b", "u", "l", "g", "a", "r", "i", "a"])]
    pairs += word_end("ия", ["i", "a"], ["i", "ya"], table, small(BULGARIAN_CAPITALS))
    info = ("Болгарский: Закон о транслитерации 2009 года, ст. 4-6. Ж zh, Й y, Х h, Ц ts, "
            "Ч ch, Ш sh, Щ sht, Ъ a, Ь y, Ю yu, Я ya; -ИЯ в конце слова - ia (Мария - "
            "Maria), внутри - iya; България - Bulgaria. Конец слова определяется по "
            "следующей букве: ошибается перед латинской буквой или цифрой. "
            "Буквосочетание рядом с прописной буквой пишется прописными (SHT). Необратимо.")
    profile = Profile("bulgarian-2009.pch", info, "Болгарский", "Латиница")
    return assemble(profile, table, BULGARIAN_CAPITALS, tiles_of(pairs),
                    "ЩЖЦЧШЮЯ" + "АБВГДЕЗИЙКЛМНОПРСТУФХЪЬ")


def macedonian():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Ѓ", "gj"),
            ("Е", "e"), ("Ж", "zh"), ("З", "z"), ("Ѕ", "dz"), ("И", "i"), ("Ј", "j"),
            ("К", "k"), ("Л", "l"), ("Љ", "lj"), ("М", "m"), ("Н", "n"), ("Њ", "nj"),
            ("О", "o"), ("П", "p"), ("Р", "r"), ("С", "s"), ("Т", "t"), ("Ќ", "kj"),
            ("У", "u"), ("Ф", "f"), ("Х", "h"), ("Ц", "c"), ("Ч", "ch"), ("Џ", "dj"),
            ("Ш", "sh")]
    info = ("Македонский: официальная система без диакритики (паспорта и документы с 2008 "
            "года): Ѓ gj, Ж zh, Ѕ dz, Ј j, Љ lj, Њ nj, Ќ kj, Х h, Ц c, Ч ch, Џ dj, Ш sh. "
            "Буквосочетание рядом с прописной буквой пишется прописными (GJ, DJ). "
            "Необратимо: dj - это и Џ, и ДЈ, zh - и Ж, и ЗХ.")
    return plain_profile("macedonian.pch", info, rows, [MACEDONIAN_CAPITALS],
                         left_side="Македонский", alphabet=MACEDONIAN_CAPITALS)


APOSTROPHE_MARKS = ["'", "\u2019"]


def belarusian():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "je"),
            ("Ё", "jo"), ("Ж", "zh"), ("З", "z"), ("І", "i"), ("Й", "j"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ў", "w"), ("Ф", "f"), ("Х", "h"),
            ("Ц", "c"), ("Ч", "ch"), ("Ш", "sh"), ("Ы", "y"), ("Ь", ""), ("Э", "e"),
            ("Ю", "ju"), ("Я", "ja")]
    table = Table(rows)
    consonants = "бвгджзклмнпрстфхцчш"
    pairs = [(c + v, [table(c), "i" + table(v)[1:]]) for c in consonants for v in "еёюя"]
    info = ("Белорусский: Инструкция 2023 года (постановление Госкомимущества № 19), "
            "приложение 1. Г g, Ў w, Х h, Ц c, Ч ch, Ш sh, Ы y, Й j; Е, Ё, Ю, Я - je, jo, "
            "ju, ja в начале слова, после гласной, апострофа, Ь и Ў, и ie, io, iu, ia после "
            "согласной; І после апострофа - ji; Ь и апостроф не пишутся. Начало слова "
            "определяется по предыдущей букве: ошибается после латинской буквы или цифры. "
            "Буквосочетание рядом с прописной буквой пишется прописными. Необратимо.")
    profile = Profile("belarusian.pch", info, "Белорусский", "Латиница")

    def apostrophes(p):
        for mark in APOSTROPHE_MARKS:
            p.rule(mark + "і", "ji")
            p.rule(mark + "І", "JI")
            p.rule(mark, "")

    return assemble(profile, table, BELARUSIAN_CAPITALS, tiles_of(pairs),
                    "ЖЧШЁЮЯЕ" + "АБВГДЗІЙКЛМНОПРСТУЎФХЦЫЭЬ", after_tiles=apostrophes)


def belarusian_bgn_pcgn():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "h"), ("Д", "d"), ("Е", "ye"),
            ("Ё", "yo"), ("Ж", "zh"), ("З", "z"), ("І", "i"), ("Й", "y"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ў", "w"), ("Ф", "f"), ("Х", "kh"),
            ("Ц", "ts"), ("Ч", "ch"), ("Ш", "sh"), ("Ы", "y"), ("Ь", "'"), ("Э", "e"),
            ("Ю", "yu"), ("Я", "ya")]
    info = ("Белорусский по BGN/PCGN 1979 (географические названия в США и "
            "Великобритании), в ASCII: Г h, Е ye, Ё yo, Ю yu, Я ya везде, І i, Й y, Ў w, "
            "Х kh, Ц ts, Ы y, Ь ' (в системе ’), апостроф - '' (в системе ”); "
            "необязательная средняя точка не ставится. Буквосочетание рядом с прописной "
            "буквой пишется прописными. Необратимо.")
    table = Table(rows)
    profile = Profile("belarusian-bgn-pcgn.pch", info, "Белорусский", "Латиница")

    def apostrophes(p):
        for mark in APOSTROPHE_MARKS:
            p.rule(mark, "''")

    return assemble(profile, table, BELARUSIAN_CAPITALS, (),
                    "ЖХЦЧШЁЮЯЕ" + "АБВГДЗІЙКЛМНОПРСТУЎФЫЭЬ", after_tiles=apostrophes)


def serbian_ascii():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Ђ", "dj"),
            ("Е", "e"), ("Ж", "z"), ("З", "z"), ("И", "i"), ("Ј", "j"), ("К", "k"),
            ("Л", "l"), ("Љ", "lj"), ("М", "m"), ("Н", "n"), ("Њ", "nj"), ("О", "o"),
            ("П", "p"), ("Р", "r"), ("С", "s"), ("Т", "t"), ("Ћ", "c"), ("У", "u"),
            ("Ф", "f"), ("Х", "h"), ("Ц", "c"), ("Ч", "c"), ("Џ", "dz"), ("Ш", "s")]
    info = ("Сербская кириллица в латиницу ASCII (ошишана латиница, как в веб-адресах и "
            "SMS): Ђ dj, Ж z, Ј j, Љ lj, Њ nj, Ћ c, Ч c, Џ dz, Ш s. Только в одну "
            "сторону: c - это Ц, Ч и Ћ, s - С и Ш, z - З и Ж. Буквосочетание рядом с "
            "прописной буквой пишется прописными (DJ, LJ).")
    return plain_profile("serbian-ascii.pch", info, rows, [SERBIAN_CAPITALS],
                         left_side="Сербский", alphabet=SERBIAN_CAPITALS)


def web_safe():
    letters = dict(russian_rows(ё="yo"))
    letters.update({"І": "i", "Ї": "yi", "Є": "ye", "Ґ": "g", "Ў": "w", "Ђ": "dj", "Ј": "j",
                    "Љ": "lj", "Њ": "nj", "Ћ": "c", "Џ": "dz", "Ѓ": "gj", "Ќ": "kj",
                    "Ѕ": "dz"})
    info = ("Для веб-адресов и старых систем: пишет только строчные латинские буквы, цифры, "
            "-, _ и точку. Буквы - читаемая латиница без знаков (Ё yo, Й y, Х kh, Ц ts, "
            "Щ shch, Ю yu, Я ya, Ъ и Ь не пишутся; буквы других языков - по их таблицам); "
            "прописные - строчными; пробел и знаки-разделители - дефис; кавычки, скобки, "
            "апострофы и ! ? опускаются; № - no. Имя, которое начинается или кончается "
            "разделителем, сохраняет дефис; необычная группа разделителей даёт два дефиса. "
            "Необратимо.")
    profile = Profile("web-safe.pch", info, "Текст", "Адрес")
    for run in [" — ", " – ", " - ", ", ", "; ", ": ", ". ", "! ", "? ", " (", ") ",
                " «", "» ", "  "]:
        profile.rule(run, "-")
    for c in "'\u2019\u2018`«»\"„“”()[]{}!?":
        profile.rule(c, "")
    for c in " ,;:/\\+=&#%@~^$*|<>—–":
        profile.rule(c, "-")
    profile.rule("№", "no")
    for capital, latin in letters.items():
        profile.rule(capital, latin)
        profile.rule(small(capital), latin)
    for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ":
        profile.rule(c, c.lower())
    return profile


PROFILES = [standart, icao_9303, gost_7_79_b, gost_16876_71, gost_r_52535_1, gost_r_7_0_34,
            ala_lc, telegram, bgn_pcgn, ukrainian_2010, wikipedia, mvd_310_1997, mvd_782_2000,
            gost_r_52290_2004, moscow_metro, yandex_maps, yandex_money, bulgarian_2009,
            macedonian, belarusian, belarusian_bgn_pcgn, serbian_ascii, web_safe]


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
