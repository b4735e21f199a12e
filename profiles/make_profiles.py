#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the shipped transliteration profiles into this folder.

Each profile is a Windows-1251 text file with CR LF line ends: an information
line, the names of the two sides, then one rule per line ("left right"). The
engine applies the rules in file order and hides whatever a rule has replaced
from every later rule, so

  * a term that contains a shorter term of another rule must come before it,
    on the left side for the forward direction and on the right side for the
    reverse direction;
  * where two rules write the same right term, the first one is what the
    reverse direction reads back;
  * a line "Щ SHCH" after "Щ Shch" never fires forward (Щ is gone by then) and
    only lets the reverse direction read words written in capitals.

Letter case: pass 1 compares exactly, pass 2 ignores case and writes small
letters, so every capital and small form that should keep its case needs its
own line.

Run: python3 profiles/make_profiles.py        (writes the .pch files)
     python3 profiles/make_profiles.py --check (fails if a file differs)
Standard library only.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Characters Windows does not allow in file names.
FORBIDDEN = set('\\/:*?"<>|')

RUSSIAN_CAPITALS = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
UKRAINIAN_CAPITALS = "АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ"


def small(letter):
    return letter.lower()


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


def caps(latin):
    return latin.upper()


class Profile:
    def __init__(self, file_name, info, left_side, right_side):
        self.file_name = file_name
        self.info = info
        self.left_side = left_side
        self.right_side = right_side
        self.rules = []

    def rule(self, left, right):
        self.rules.append((left, right))

    def letter(self, table, capital):
        """Capital form, the all-capitals form for reading back when it
        differs, then the small form."""
        cap = table(capital)
        if cap == table(small(capital)):
            # A case-less mark (Ь as '): the small letter is what reads back.
            self.rule(small(capital), cap)
            self.rule(capital, cap)
            return
        self.rule(capital, cap)
        if caps(cap) != cap:
            self.rule(capital, caps(cap))
        self.rule(small(capital), table(small(capital)))

    def letters(self, table, capitals):
        for capital in capitals:
            self.letter(table, capital)

    # ---- checks ------------------------------------------------------------

    def check(self):
        problems = []
        name = self.file_name
        if not (name.endswith(".pch") and len(name) <= 49 and name.isascii()):
            problems.append("bad file name")
        for text in (self.info, self.left_side, self.right_side):
            if not text or "\r" in text or "\n" in text:
                problems.append("bad header line: %r" % text)
        seen = {}
        for index, (left, right) in enumerate(self.rules):
            where = "%s rule %d (%s %s)" % (name, index + 4, left, right)
            if not left:
                problems.append(where + ": empty left term")
            if " " in left or " " in right:
                problems.append(where + ": space in a term")
            for c in right:
                if not (" " < c < "\x7f") or c in FORBIDDEN:
                    problems.append(where + ": %r is not allowed in a file name" % c)
            if (left, right) in seen:
                problems.append(where + ": repeats rule %d" % seen[(left, right)])
            seen[(left, right)] = index + 4
            left.encode("cp1251")
        # Longer terms before their parts, in both directions.
        for direction, side in (("forward", 0), ("reverse", 1)):
            for later in range(len(self.rules)):
                term = self.rules[later][side]
                if not term:
                    continue
                for earlier in range(later):
                    part = self.rules[earlier][side]
                    if part and part != term and part in term:
                        problems.append(
                            "%s %s: rule %d (%s) comes after its part, rule %d (%s)"
                            % (name, direction, later + 4, term, earlier + 4, part))
                        break
        return problems

    def encoded(self):
        lines = [self.info, self.left_side, self.right_side]
        lines += ["%s %s" % rule for rule in self.rules]
        return ("\r\n".join(lines) + "\r\n").encode("cp1251")


# ---- Russian schemes -----------------------------------------------------------

def plain_profile(file_name, info, rows, groups, extra=None):
    """A profile of single letters. groups lists the capitals in rule order;
    extra(profile) may add rules first."""
    table = Table(rows)
    profile = Profile(file_name, info, "Кириллица", "Латиница")
    if extra:
        extra(profile, table)
    for group in groups:
        profile.letters(table, group)
    return profile


def soft_sign_pairs(profile, table, soft, consonants):
    """Rules that let the reverse direction give Ь back in capitals.

    The sign becomes a case-less mark, which on its own reads back as a small
    letter. In a word written in capitals the sign stands between capitals, so
    it is written together with the letter after it (or, at the end of a word,
    with the consonant before it), and that letter's case tells the sign's.
    The small pairs come first, so that capitalised words such as "Дьяков" or
    "Чьё" are not read as capitals."""
    after_soft = [c for c in RUSSIAN_CAPITALS if c not in "ЪЬЫЭЙ"]
    pairs = []
    for letter in after_soft:
        pairs.append(("Ь" + letter, soft + table(letter)))
        if caps(table(letter)) != table(letter):
            pairs.append(("Ь" + letter, soft + caps(table(letter))))
        pairs.append(("ь" + small(letter), soft + table(small(letter))))
    # Longer Latin first, so "`shh" (ЬЩ) is not read as "`sh" (ЬШ) and "h".
    pairs.sort(key=lambda rule: -len(rule[1]))
    for left, right in pairs:
        profile.rule(left, right)
    # A soft sign at the end of a word in capitals.
    ends = []
    for letter in consonants:
        ends.append((letter + "Ь", table(letter) + soft))
        if caps(table(letter)) != table(letter):
            ends.append((letter + "Ь", caps(table(letter)) + soft))
    ends.sort(key=lambda rule: -len(rule[1]))
    for left, right in ends:
        profile.rule(left, right)


SOFT_SIGN_CONSONANTS = "БВГДЖЗКЛМНПРСТФХЦЧШЩ"


def gost_7_79_b():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "yo"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "j"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "x"), ("Ц", "c"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shh"), ("Ъ", "``"), ("Ы", "y`"),
            ("Ь", "`"), ("Э", "e`"), ("Ю", "yu"), ("Я", "ya")]
    table = Table(rows)
    profile = Profile(
        "gost-7.79-b.pch",
        "ГОСТ 7.79-2000, система Б (латиница ASCII с буквосочетаниями): современный "
        "русский алфавит, обратимо. Ё yo, Й j, Х x, Щ shh, Ы y`, Э e`, Ъ ``, Ь `; Ц - cz "
        "перед e, i, y, j и c в остальных случаях (записано парами букв). Не различает "
        "обратно ЦЗ перед Е, Ё, И, Й, Ы, Э, Ю, Я и Ц (Цзин читается как Цин); слова "
        "смешанного регистра возвращаются со строчными буквами.",
        "Кириллица", "Латиница")
    # Ц before a letter whose Latin form starts with e, i, y or j.
    pairs = []
    for vowel in "ЕЁИЙЫЭЮЯ":
        for c in ("Ц", "ц"):
            for v in (vowel, small(vowel)):
                cz = "Cz" if c == "Ц" else "cz"
                pairs.append((c + v, cz + table(v)))
        pairs.append(("Ц" + vowel, "CZ" + caps(table(vowel))))
    pairs.sort(key=lambda rule: -len(rule[1]))
    for left, right in pairs:
        profile.rule(left, right)
    # Ъ with the letter after it, then Ъ alone.
    for letter in "ЕЁИЮЯ":
        profile.rule("Ъ" + letter, "``" + table(letter))
        if caps(table(letter)) != table(letter):
            profile.rule("Ъ" + letter, "``" + caps(table(letter)))
    profile.rule("ъ", "``")
    profile.rule("Ъ", "``")
    # Ы and Э before the soft-sign pairs: "y`" and "e`" end in the sign's mark.
    profile.letters(table, "ЫЭ")
    soft_sign_pairs(profile, table, "`", SOFT_SIGN_CONSONANTS)
    profile.rule("ь", "`")
    profile.rule("Ь", "`")
    profile.letters(table, "ЩЖЧШЁЮЯ")
    profile.letters(table, "АБВГДЕЗИЙКЛМНОПРСТУФХЦ")
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
        "здесь вместо неё два апострофа ''. Слова смешанного регистра возвращаются "
        "со строчными буквами.",
        "Кириллица", "Латиница")
    for letter in "ЕЁИЮЯ":
        profile.rule("Ъ" + letter, "''" + table(letter))
        if caps(table(letter)) != table(letter):
            profile.rule("Ъ" + letter, "''" + caps(table(letter)))
    profile.rule("ъ", "''")
    profile.rule("Ъ", "''")
    soft_sign_pairs(profile, table, "'", SOFT_SIGN_CONSONANTS)
    profile.rule("ь", "'")
    profile.rule("Ь", "'")
    # Й (jj) before Ё, Ю, Я (jo, ju, ja): "jjo" is Й and О, not J and Ё.
    profile.letters(table, "ЩЙЖХЧШЭЁЮЯ")
    profile.letters(table, "АБВГДЕЗИКЛМНОПРСТУФЦЫ")
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
            "Ъ Ie, Ю Iu, Я Ia; Ь опускается. Необратимо: обратно E читается как Е, "
            "I как И, Ie как ИЕ, Ь не восстанавливается. Заглавная буква пишется как в "
            "начале слова (Щ - Shch), поэтому слово из прописных выходит как ShchUKIN.")

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
            "опускаются. Необратимо: обратно E читается как Е, I как И, tch как ТЧ, "
            "Ъ и Ь не восстанавливаются. Заглавная буква пишется как в начале слова "
            "(Щ - Shch), поэтому слово из прописных выходит как ShchUKIN.")
    # Ч (ch) before Ц (tc): reading back, "tch" is ТЧ (Отчество), not Ц and H.
    return plain_profile("gost-r-52535.1-2006.pch", info, rows,
                         ["Щ", "ЖХЧШЮЯЦ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЪЬ"])


def gost_r_7_0_34():
    rows = [("А", "a"), ("Б", "b"), ("В", "v"), ("Г", "g"), ("Д", "d"), ("Е", "e"),
            ("Ё", "e"), ("Ж", "zh"), ("З", "z"), ("И", "i"), ("Й", "i"), ("К", "k"),
            ("Л", "l"), ("М", "m"), ("Н", "n"), ("О", "o"), ("П", "p"), ("Р", "r"),
            ("С", "s"), ("Т", "t"), ("У", "u"), ("Ф", "f"), ("Х", "kh"), ("Ц", "tc"),
            ("Ч", "ch"), ("Ш", "sh"), ("Щ", "shch"), ("Ъ", "''"), ("Ы", "y"),
            ("Ь", "'"), ("Э", "e"), ("Ю", "iu"), ("Я", "ia")]
    info = ("ГОСТ Р 7.0.34-2014, упрощённая транслитерация (основные формы таблицы): "
            "русский алфавит. Ё, Е, Э - e; И, Й - i; Ц tc, Х kh, Щ shch, Ю iu, Я ia, "
            "Ь '. Ъ в таблице - кавычка \", которой не может быть в имени файла; здесь "
            "вместо неё два апострофа ''. Необратимо: обратно e читается как Е, i как И, "
            "tch как ТЧ.")
    return plain_profile("gost-r-7.0.34-2014.pch", info, rows,
                         ["Щ", "ЖХЧШЮЯЦЪ", "АБВГДЕЁЗИЙКЛМНОПРСТУФЫЭЬ"])


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
            "здесь вместо неё два апострофа ''. Дореформенных букв нет. Необратимо: "
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
            "Я ia; Ъ и Ь опускаются. Необратимо: sh - это и Ш, и СХ, ch - и Ч, и ЦХ.")
    # Ч (ch) before Щ (sc): reading back, "sch" is СЧ (Счёт), not Щ and H.
    return plain_profile("telegram.pch", info, rows,
                         ["ЧШЩЮЯ", "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЫЭЪЬ"])


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
        "таких букв, например її). "
        "ЗГ - zgh. Русские Ё, Ъ, Ы, Э в таблице нет, они не меняются. Необратимо.",
        "Украинский", "Латиница")

    # Ь and the apostrophe are dropped first, so that the letters around them
    # close up: in "Мар'їне" and "Ільюк" the Ї and Ю then follow a letter.
    profile.rule("Ь", "")
    profile.rule("ь", "")
    for mark in APOSTROPHES:
        profile.rule(mark, "")
    # зг is zgh, so that it does not read as ж (zh).
    profile.rule("Зг", "Zgh")
    profile.rule("ЗГ", "ZGH")
    profile.rule("зг", "zgh")
    profile.rule("зГ", "zGH")

    def inner(letter):
        form = inside[letter.upper()]
        return caps(form) if letter.isupper() else form

    pairs = []
    # Й comes before Ї: reading back, "ai" and "yi" are far more often АЙ and ИЙ.
    iotated = "ЙЄЮЯЇ"
    # Any other letter before one of them: inside the word.
    before = [c for c in UKRAINIAN_CAPITALS if c not in UKRAINIAN_IOTATED + "Ь"]
    consonants = [c for c in before if c not in "АЕИІОУ"]
    for letter in before:
        for second in iotated:
            if second == "Й" and letter in consonants:
                # Й and Ї follow a consonant only where an apostrophe was dropped
                # (Мар'їне); reading back, "ri" is far more often РІ. These
                # lines change nothing going forward.
                pairs.append((letter + "і", table(letter) + "i"))
                pairs.append((letter + "І", table(letter) + "I"))
                pairs.append((small(letter) + "і", table(small(letter)) + "i"))
            pairs.append((letter + small(second), table(letter) + inner(small(second))))
            pairs.append((letter + second, table(letter) + inner(second)))
            pairs.append((small(letter) + small(second),
                          table(small(letter)) + inner(small(second))))

    # Two of them in a row (моєю, гуляють, Гуляйполе, її): the second is inside
    # the word, and so is the first unless it is a capital followed by a small
    # letter, which starts a capitalised word (Її, Яєчня). Й is never the first.
    for first in iotated.replace("Й", ""):
        for second in iotated:
            pairs.append((first + small(second), initial(first) + inner(small(second))))
            pairs.append((first + second, inner(first) + inner(second)))
            pairs.append((small(first) + small(second),
                          inner(small(first)) + inner(small(second))))
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

    for left, right in stable_order(pairs, must_precede):
        profile.rule(left, right)

    # What is left of Є Ї Й Ю Я starts a word (a small one after a space, a dash,
    # a digit or at the start of the name).
    for letter in "ЄЇЮЯ":
        profile.letter(initial, letter)
    profile.letters(table, "Щ")
    profile.letters(table, "ЖХЦЧШ")
    profile.letters(table, "АБВГҐДЕЗИІКЛМНОПРСТУФ")
    # Й after И: both are Y at the start of a word, and И is the one to read back.
    profile.letter(initial, "Й")
    return profile


PROFILES = [icao_9303, gost_7_79_b, gost_16876_71, gost_r_52535_1, gost_r_7_0_34,
            ala_lc, telegram, ukrainian_2010]


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
            with open(path, "rb") as existing:
                if existing.read() != data:
                    print("%s is not what the generator writes" % path, file=sys.stderr)
                    failed = True
        elif not problems:
            with open(path, "wb") as out:
                out.write(data)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
