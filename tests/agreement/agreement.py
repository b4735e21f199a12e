#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The native command's new names against the DLL's process.

Generates, from a fixed seed, random profiles and names that Windows-1251 can
hold, and runs every profile in every combination of the options (case, ext,
reverse) through both probes: agreement_native_probe (the Linux command's
name transliteration, UTF-8) and agreement_dll_probe.exe (translit.dll's
process under wine, previewing "C:\\probe\\" + name). For every name:

- where the DLL gave a new name, the native one, converted to Windows-1251,
  must be the same bytes (and one Windows can hold);
- where the DLL declined, the native name must be one Windows cannot hold
  (the native probe asks the engine's IsValidFileName).

A ":" or "\\" is an ordinary character of a Linux name but a separator of a
Windows path: for a name holding one, the DLL transliterates only what
follows the last of them, so its result is compared with the native name of
that last part, the rest kept as it was; the native name of the whole must
keep the separator, which Windows cannot hold in a name.

Prints a summary line; exits 1 on any difference, listing the first few, and
2 when a probe fails.
"""

import argparse
import itertools
import random
import shutil
import subprocess
import sys
from pathlib import Path

SEED = 20261207
PROFILE_COUNT = 8
NAMES_PER_PROFILE = 450
SHOWN_DIFFERENCES = 10
DECLINED = b"\x01"  # what the DLL probe writes when process left the pointer alone
DLL_PREFIX = b"C:\\probe\\"

# Windows-1251 byte by byte; 0x98, which the code page leaves undefined, is
# U+0098 as the native conversion has it.
CP1251 = {}
for _byte in range(256):
    _char = "\x98" if _byte == 0x98 else bytes([_byte]).decode("cp1251")
    CP1251[_char] = _byte

CYRILLIC = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"
CYRILLIC_OTHER = "ІіЇїЄєҐґЎўЈјЅѕЂђ"
LATIN = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
SYMBOLS = "№«»—€’\x98"  # 0x98, undefined in the code page, is U+0098 here
DEVICES = ["con", "PRN", "Aux", "nul", "com1", "LPT9", "Con.txt", "lpt1.tar.gz"]
EXTENSIONS = [".txt", ".TXT", ".Док", ".tar.gz", ".шаг", ".jpeg", "."]
OPTION_SETS = list(itertools.product([False, True], repeat=3))  # case, ext, reverse


def to_1251(text):
    """Windows-1251 bytes of text, or None when the code page lacks a character."""
    try:
        return bytes(CP1251[c] for c in text)
    except KeyError:
        return None


def cased(rng, text):
    return rng.choice([str, str.upper, str.lower, str.swapcase, str.capitalize])(text)


def make_term(rng, letters, shortest, longest):
    return "".join(rng.choice(letters) for _ in range(rng.randint(shortest, longest)))


def with_space_mark(rng, term):
    """term with "/s" or "/S" (a space) put in somewhere."""
    at = rng.randint(0, len(term))
    return term[:at] + rng.choice(["/s", "/S"]) + term[at:]


def make_profile(rng):
    """A profile's rules as lines. Terms come from a few letters of each
    alphabet, so that they overlap and hide each other's matches."""
    cyrillic = rng.sample(CYRILLIC + CYRILLIC_OTHER, 7)
    latin = rng.sample(LATIN, 7)
    both = cyrillic + latin
    lines = []
    for _ in range(rng.randint(6, 30)):
        kind = rng.random()
        if kind < 0.45:  # Cyrillic into Latin, the right side possibly empty
            left, right = make_term(rng, cyrillic, 1, 3), make_term(rng, latin, 0, 3)
        elif kind < 0.6:  # Latin into Cyrillic
            left, right = make_term(rng, latin, 1, 3), make_term(rng, cyrillic, 0, 2)
        elif kind < 0.75:  # anything into anything, overlapping the rest
            left, right = make_term(rng, both, 1, 4), make_term(rng, both, 0, 4)
        elif kind < 0.85:  # a self-mapping line: no space
            lines.append(make_term(rng, both, 1, 3))
            continue
        elif kind < 0.95:  # a space in a term
            left, right = make_term(rng, both, 1, 2), make_term(rng, both, 0, 2)
            if rng.random() < 0.5:
                left = with_space_mark(rng, left)
            else:
                right = with_space_mark(rng, right)
        elif kind < 0.98:  # spaces after the first belong to the right side
            left, right = make_term(rng, cyrillic, 1, 2), make_term(rng, latin, 1, 2) + " " + \
                make_term(rng, latin, 1, 2)
        else:  # an empty left side
            left, right = "", make_term(rng, both, 1, 2)
        lines.append(cased(rng, left) + " " + cased(rng, right))
    return lines


def profile_bytes(rng, index, lines):
    """The file: three header lines, the rules, a line break at the end or not;
    now and then a lone CR in a rule (dropped), a Ctrl-Z ending a rule's text,
    or a line starting with Ctrl-Z (the end of the rules)."""
    lines = list(lines)
    for mark, chance in (("\r", 0.3), ("\x1a", 0.3)):
        if lines and rng.random() < chance:
            at = rng.randrange(len(lines))
            cut = rng.randint(0, len(lines[at]))
            lines[at] = lines[at][:cut] + mark + lines[at][cut:]
    if rng.random() < 0.2:
        lines.insert(rng.randint(len(lines) // 2, len(lines)), "\x1a" + rng.choice(lines))
    newline = rng.choice(["\r\n", "\n"])
    text = newline.join([f"Случайный профиль {index}", "Слева", "Справа"] + lines)
    if rng.random() < 0.7:
        text += newline
    return to_1251(text)


def make_name(rng, lines):
    """A name Windows-1251 can hold, mostly built of the profile's own terms."""
    terms = []
    for line in lines:
        terms.extend(line.replace("/s", " ").replace("/S", " ").split(" ", 1))
    terms = [t for t in terms if t]
    pieces = []
    for _ in range(rng.randint(1, 7)):
        kind = rng.random()
        if kind < 0.5 and terms:
            pieces.append(cased(rng, rng.choice(terms)))
        elif kind < 0.75:
            pieces.append(make_term(rng, CYRILLIC + LATIN, 1, 3))
        elif kind < 0.85:
            pieces.append(make_term(rng, "0123456789", 1, 3))
        elif kind < 0.9:
            pieces.append(rng.choice([" ", ".", "..", " . "]))
        elif kind < 0.94:
            pieces.append(rng.choice(":\\"))
        elif kind < 0.97:
            pieces.append(rng.choice(CYRILLIC_OTHER + SYMBOLS))
        else:
            pieces.append(rng.choice(DEVICES))
    name = "".join(pieces)
    if rng.random() < 0.4:
        name += rng.choice(EXTENSIONS)
    if rng.random() < 0.08:
        name = rng.choice([".", " ", "..", ". "]) + name
    if rng.random() < 0.08:
        name += rng.choice([".", " ", "..", " ."])
    return name


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def split_records(data):
    records = data.split(b"\0")
    if records and records[-1] == b"":
        records.pop()
    return records


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, check=False, **kwargs)
    if result.returncode != 0:
        sys.stderr.write(f"agreement: {Path(command[0]).name} failed "
                         f"({result.returncode}): {result.stderr.decode(errors='replace')}"
                         f"{result.stdout.decode(errors='replace')}\n")
        sys.exit(2)
    return result.stdout


def native_names(probe, profile, flags, names):
    """The native probe's new names (UTF-8 bytes) and whether Windows can hold each."""
    data = b"".join(n.encode() + b"\0" for n in names)
    records = split_records(run([probe, str(profile), "--valid"] + flags, input=data))
    if len(records) != 2 * len(names):
        sys.stderr.write(f"agreement: the native probe gave {len(records)} records "
                         f"for {len(names)} names\n")
        sys.exit(2)
    return {n: (records[2 * i], records[2 * i + 1] == b"1") for i, n in enumerate(names)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--native-probe", required=True)
    parser.add_argument("--dll-probe", required=True)
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--work", required=True, help="a folder of its own, emptied first")
    args = parser.parse_args()
    if not Path(args.native_probe).is_file():
        sys.stderr.write(f"agreement: no native probe at {args.native_probe} "
                         "(build agreement_native_probe in the native build)\n")
        return 2

    work = Path(args.work).resolve()
    shutil.rmtree(work, ignore_errors=True)
    profiles_dir = work / "host" / "Plugins" / "rep_profiles"
    profiles_dir.mkdir(parents=True)
    host_dir = windows_path(work / "host") + "\\"

    rng = random.Random(SEED)
    differences = []
    counts = {"names": 0, "separated": 0, "compared": 0, "changed": 0, "declined": 0}
    for index in range(PROFILE_COUNT):
        lines = make_profile(rng)
        profile = profiles_dir / f"random{index}.pch"
        profile.write_bytes(profile_bytes(rng, index, lines))
        names = set()
        while len(names) < NAMES_PER_PROFILE:
            name = make_name(rng, lines)
            if name not in ("", ".", ".."):
                names.add(name)
        names = sorted(names)
        names_file = work / f"names{index}"
        names_file.write_bytes(b"".join(to_1251(n) + b"\0" for n in names))
        # The part after the last separator, which is all the DLL transliterates.
        last_parts = {n: n[max(n.rfind(":"), n.rfind("\\")) + 1:] for n in names}
        counts["names"] += len(names)
        counts["separated"] += sum(1 for n in names if last_parts[n] != n)

        for case, ext, reverse in OPTION_SETS:
            flags = [f for f, on in (("case", case), ("ext", ext), ("reverse", reverse)) if on]
            results_file = work / f"results{index}-{'-'.join(flags) or 'plain'}"
            run([args.wine_run, args.dll_probe, host_dir, profile.name,
                 windows_path(names_file), windows_path(results_file)] + flags)
            dll = split_records(results_file.read_bytes())
            native = native_names(args.native_probe, profile, ["--" + f for f in flags],
                                  sorted(set(names) | set(last_parts.values())))
            if len(dll) != len(names):
                sys.stderr.write(f"agreement: the DLL probe gave {len(dll)} results "
                                 f"for {len(names)} names\n")
                return 2
            for name, dll_result in zip(names, dll):
                counts["compared"] += 1
                last = last_parts[name]
                native_last, holdable = native[last]
                prefix = to_1251(name[:len(name) - len(last)])
                native_1251 = to_1251(native_last.decode("utf-8", "replace"))
                expected = None if not holdable or native_1251 is None \
                    else DLL_PREFIX + prefix + native_1251
                problem = None
                if last != name and native[name][1]:
                    problem = "the native name of the whole loses its separator"
                elif dll_result == DECLINED and expected is not None:
                    problem = "the DLL declined a name Windows can hold"
                elif dll_result != DECLINED and dll_result != expected:
                    problem = "the names differ"
                if problem:
                    differences.append((problem, index, flags, name, dll_result,
                                        native[name][0], native_last))
                elif dll_result == DECLINED:
                    counts["declined"] += 1
                elif dll_result != DLL_PREFIX + to_1251(name):
                    counts["changed"] += 1

    print(f"dll_native_agreement: {PROFILE_COUNT} profiles x {len(OPTION_SETS)} option sets, "
          f"{counts['names']} names ({counts['separated']} holding ':' or '\\', compared by "
          f"their last part): {counts['compared']} compared, {counts['changed']} renamed alike, "
          f"{counts['declined']} declined by both; {len(differences)} differences")
    for problem, index, flags, name, dll_result, native_whole, native_last in \
            differences[:SHOWN_DIFFERENCES]:
        shown = "declined" if dll_result == DECLINED else \
            repr(dll_result[len(DLL_PREFIX):].decode("cp1251", "replace"))
        print(f"  {problem}: random{index}.pch, options {flags or 'none'}, name {name!r}: "
              f"DLL {shown}, native {native_whole.decode('utf-8', 'replace')!r}"
              + (f" (last part {native_last.decode('utf-8', 'replace')!r})"
                 if native_whole != native_last else ""))
    if differences:
        print(f"  profiles and names are in {work}")
        return 1
    # A run that renames little or declines nothing proves little.
    if counts["changed"] < counts["compared"] // 3 or counts["declined"] == 0:
        print("agreement: the generated names exercise too little of the profiles")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
