#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Builds the benchmark's Russian prose: every saying of Debian's fortunes-ru
(UTF-8 files in /usr/share/games/fortunes/ru/), converted to Windows-1251 with
CR LF line breaks, the "%" separator lines turned into empty lines. Characters
that Windows-1251 lacks are left out.

usage: make_corpus.py OUTPUT
"""
import os
import sys

SOURCE = "/usr/share/games/fortunes/ru"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if not os.path.isdir(SOURCE):
        sys.exit(f"{SOURCE} is missing: install the Debian package fortunes-ru "
                 "(tools/setup.sh does)")
    lines = []
    for name in sorted(os.listdir(SOURCE)):
        path = os.path.join(SOURCE, name)
        if name.endswith((".dat", ".u8")) or os.path.islink(path) or not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f.read().splitlines():
                lines.append("" if line.strip() == "%" else line)
    text = "\r\n".join(lines) + "\r\n"
    data = text.encode("cp1251", errors="ignore")
    with open(sys.argv[1], "wb") as out:
        out.write(data)
    print(f"corpus: {len(data)} bytes of Windows-1251 text from {SOURCE}")


if __name__ == "__main__":
    main()
