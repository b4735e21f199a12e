#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads and writes undo journals as a hostile or careless hand would, for
the tests: entries are "<kind><length> <payload> <crc32 hex>\\n".

  journal_tool.py damage JOURNAL N        flip a byte inside the Nth intent
  journal_tool.py rebirth JOURNAL         move every intent's birth time by 1 ns
  journal_tool.py forge JOURNAL OLD NEW   a journal of one rename of the file now at NEW
"""
import os
import sys
import zlib

HEADER = b"translit journal 2\n"


def entries(data):
    at = len(HEADER)
    while at < len(data):
        kind = data[at:at + 1]
        space = data.index(b" ", at)
        length = int(data[at + 1:space])
        payload = data[space + 1:space + 1 + length]
        end = space + 1 + length + 1 + 8 + 1
        yield kind, payload, at, end
        at = end


def encode(kind, payload):
    crc = zlib.crc32(kind + payload) & 0xFFFFFFFF
    return kind + str(len(payload)).encode() + b" " + payload + b" " + b"%08x" % crc + b"\n"


def main():
    command, path = sys.argv[1], sys.argv[2]
    if command == "forge":
        old, new = sys.argv[3].encode(), sys.argv[4].encode()
        info = os.lstat(new)
        birth = 0
        payload = b"1 %d %d %d\0%s\0%s" % (info.st_dev, info.st_ino, birth, old, new)
        with open(path, "wb") as journal:
            journal.write(HEADER + encode(b"B", os.getcwd().encode()) + encode(b"I", payload) +
                          encode(b"D", b"1 0 0"))
        return
    data = open(path, "rb").read()
    out = bytearray(data[:len(HEADER)])
    intents = 0
    for kind, payload, start, end in entries(data):
        if kind == b"I":
            intents += 1
            if command == "damage" and intents == int(sys.argv[3]):
                raw = bytearray(data[start:end])
                raw[len(raw) // 2] ^= 0x20
                out += raw
                continue
            if command == "rebirth":
                numbers, rest = payload.split(b"\0", 1)
                fields = numbers.split(b" ")
                fields[3] = b"%d" % (int(fields[3]) + 1)
                payload = b" ".join(fields) + b"\0" + rest
        out += encode(kind, payload)
    open(path, "wb").write(bytes(out))


main()
