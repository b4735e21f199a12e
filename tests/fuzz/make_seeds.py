#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the hand-made seeds of the fuzz corpus (corpus/<target>/seed-*).

Run it after changing a seed here; the inputs that fuzz runs find and keep
sit beside these seeds under other names and are left alone. Texts are
Windows-1251 bytes.
"""
from pathlib import Path

HERE = Path(__file__).resolve().parent
CTRL_Z = b"\x1a"


def profile_input(text, image, chunk=0, times=1, fail_at=None, reverse_bits=0, cancel_at=0):
    """The profile_engine_fuzzer layout: a six-byte header, the text, the image."""
    assert len(text) < 256
    repeat = 0 if times == 1 else 0xE0 + times - 1
    fail = 0 if fail_at is None else fail_at // 64 + 1
    return bytes([len(text), chunk, repeat, fail, reverse_bits, cancel_at]) + text + image


def lines(*rules, header=b"info\nleft\nright\n", end=b"\n"):
    return header + end.join(rules) + (end if rules else b"")


def cp1251(text):
    return text.encode("cp1251")


PROFILE_SEEDS = {
    # engine: order of rules, masking, empty and growing replacements
    "earlier-rule-wins": profile_input(b"aab", lines(b"ab x", b"a y")),
    "later-rule-sees-rest": profile_input(b"aab", lines(b"a y", b"ab x")),
    "output-is-never-input": profile_input(b"a", lines(b"a b", b"b c")),
    "empty-replacement-closes-up": profile_input(b"aabb", lines(b"ab ")),
    "growing-replacement-stops": profile_input(b"xx", lines(b"x xx")),
    "nested-removals": profile_input(b"aaabbbabab", lines(b"ab ", b"ba ", b"a b")),
    # case: the two passes, Cyrillic capitals and small letters
    "capital-zhe": profile_input(cp1251("Жж"), lines(cp1251("Ж Zh"))),
    "small-zhe": profile_input(cp1251("Жж"), lines(cp1251("ж zh"))),
    "self-mapping-lowers": profile_input(cp1251("Жx"), lines(b"x", cp1251("Ж Zh"))),
    "cyrillic-capitals": profile_input(
        cp1251("ЂђЃѓЉљЊњЌќЋћЏџЎўЈјҐґЄєЇїІіЅѕЁё"),
        lines(cp1251("ђ dj"), cp1251("Ѓ G"), cp1251("ґ g"), cp1251("Ї Yi"), cp1251("ё yo"),
              cp1251("І I"), cp1251("ѕ dz"))),
    # rule lines: the separator and the "/s" escape
    "slash-s-escape": profile_input(b"a b ab x/sy A B",
                                    lines(b"a/sb c", b"ab/S d", b"x/sy", b"A/Sb/s e/sf")),
    "empty-terms": profile_input(b"x y", lines(b" x", b"y ", b"", b" ")),
    "spaces-in-right-term": profile_input(b"ab", lines(b"a b c  d", b"b \t")),
    # line breaks and the end of the data
    "crlf-lines": profile_input(b"abc", lines(b"a 1", b"b 2", header=b"i\r\nl\r\nr\r\n",
                                              end=b"\r\n")),
    "bare-cr-lines": profile_input(b"abc", b"i\rl\rr\ra 1\rb 2\r"),
    "cr-before-crlf": profile_input(b"abc", b"i\r\r\nl\nr\r\na\r 1\r\r\nb 2"),
    "no-final-break": profile_input(b"abc", b"i\nl\nr\na 1\nb 2"),
    "two-final-breaks": profile_input(b"abc", lines(b"a 1", b"b 2") + b"\n"),
    "short-file": profile_input(b"abc", b"info only\n"),
    "empty-file": profile_input(b"abc", b""),
    "ctrl-z-first": profile_input(b"abc", CTRL_Z + b"i\nl\nr\na 1\n"),
    "ctrl-z-after-cr-first": profile_input(b"abc", b"\r" + CTRL_Z + b"i\nl\nr\na 1\n"),
    "ctrl-z-in-header": profile_input(b"abc", b"i" + CTRL_Z + b"x\n" + CTRL_Z + b"l\nr\na 1\n"),
    "ctrl-z-in-rule": profile_input(b"abc", lines(b"a 1" + CTRL_Z + b"2\nb", b"c 3")),
    "ctrl-z-ends-rules": profile_input(b"abc", lines(b"a 1", b"b 2", CTRL_Z + b"c 3", b"c 4")),
    "ctrl-z-after-cr-in-rules": profile_input(b"abc", lines(b"a 1", b"\r" + CTRL_Z + b"b 2")),
    "nul-bytes": profile_input(b"a\x00b\x00\x00c",
                               lines(b"\x00 x", b"b\x00 y", b"\x00\x00 \x00", b"\x00 ", b"c")),
    "nul-only-find": profile_input(b"\x00a\x00", lines(b"a z", b"\x00 \x00\x00", b"\x00\x00 q")),
    "nul-term-meets-filler": profile_input(b"abbb ab abab", lines(b"a x", b"\x00b y")),
    "nul-term-grows-filler": profile_input(b"aab ba", lines(b"a xy", b"\x00\x00 zzz",
                                                            b"\x00b ", b"b\x00 q")),
    "long-rule-line": profile_input(b"ab" * 60, lines(b"a" * 500 + b" " + b"b" * 500,
                                                      b"ab " + b"xy" * 300)),
    # reading in pieces, past the buffer, with read errors
    "one-byte-reads": profile_input(b"abc", lines(b"a 1", b"b 2", header=b"i\r\nl\r\nr\r\n",
                                                  end=b"\r\n"), chunk=1),
    "odd-reads-cr-split": profile_input(b"abc", b"i\r\nl\r\nr\r\na 1\r\nb 2\r\n", chunk=3),
    "repeated-past-buffer": profile_input(
        b"abcabc", lines(b"a " + b"x" * 2000, b"b y", b"c" * 1000) + b"\n", times=32),
    "read-error-at-start": profile_input(b"abc", lines(b"a 1"), fail_at=0),
    "read-error-midway": profile_input(b"abc", lines(*[b"a%d %d" % (i, i) for i in range(40)]),
                                       chunk=16, fail_at=128),
    # the run's hooks: a direction per rule, abandoning the run
    "hooks-mixed-directions": profile_input(b"abcxyz", lines(b"a x", b"b y", b"c z"),
                                            reverse_bits=0b10110010),
    "hooks-cancel": profile_input(b"abcabc", lines(b"a x", b"b y", b"c z"), cancel_at=3),
    "hooks-cancel-second-pass": profile_input(cp1251("aAbB"), lines(b"a x", b"B y"), cancel_at=3),
    # series of one-character rules applied in one sweep
    "one-character-series": profile_input(
        cp1251("абвгдАБВГД abc ABC") * 4,
        lines(cp1251("а a"), cp1251("б bbbbbbbbbbbb"), cp1251("в v"), cp1251("Г GGG"),
              b"a 1", b"b", cp1251("д "), b"c \x00", cp1251("А AAAAAAAAA"))),
    # long find terms with borders
    "long-terms-with-borders": profile_input(
        b"aabaabaabaabaabaab" * 6 + b"aabaab",
        lines(b"aabaabaab X", b"abaabaabaaba ", b"aab Y", b"baabaabaabaabaabaabaab Z")),
}

PATH_SEEDS = {
    "drive-and-folders": cp1251("C:\\docs\\Шаг.txt"),
    "latin-name": b"C:\\docs\\Shag.txt",
    "several-dots": b"C:\\docs\\a.b.c",
    "dot-first": b"C:\\docs\\.x",
    "drive-relative": b"C:abc.",
    "bare-name": cp1251("Жёлтый ЁЖ.Txt"),
    "empty": b"",
    "separators-only": b"\\:\\",
    "dots-only": b"...",
    "slash-in-name": b"a/b.c/d",
    "unc-path": b"\\\\server\\share\\x.y",
    "dotted-folder": b"C:\\dir.d\\name",
    "colon-after-folder": b"x:y\\z.w:v",
    "nul-in-path": b"C:\\a\x00b\\c\x00.d",
    "rule-characters": b"C:\\q a b.ab x:q\\ab xx.x",
    "long-path": b"C:\\" + b"d\\" * 100 + b"n" * 60 + b".e",
}


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / f"seed-{name}").write_bytes(data)


if __name__ == "__main__":
    write("profile_engine_fuzzer", PROFILE_SEEDS)
    write("path_fuzzer", PATH_SEEDS)
