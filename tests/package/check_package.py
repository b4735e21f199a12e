#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Builds the zip from a dist folder and checks what is in it.

Usage: check_package.py PACKAGE_SH DIST_FOLDER
"""
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

TOP = "translit-1.0.02/"
PROFILES = {p.name for p in (Path(__file__).parents[2] / "profiles").glob("*.pch")}


def main(package_sh, dist):
    failures = []
    with tempfile.TemporaryDirectory() as work:
        archive = Path(work) / "translit.zip"
        subprocess.run([package_sh, dist, str(archive)], check=True, stdout=subprocess.DEVNULL)
        with zipfile.ZipFile(archive) as zip_file:
            names = set(zip_file.namelist())
            wanted = {"Plugins/translit.dll", "translit-host.exe", "LICENSE.txt",
                      "README-en.txt", "README-ru.txt"}
            wanted |= {"Plugins/rep_profiles/" + p for p in PROFILES}
            failures += [f"missing {w}" for w in sorted(wanted) if TOP + w not in names]
            for text in ("README-en.txt", "README-ru.txt", "LICENSE.txt"):
                if TOP + text not in names:
                    continue
                data = zip_file.read(TOP + text)
                body = data[3:] if text.startswith("README") else data
                if text.startswith("README") and not data.startswith(b"\xef\xbb\xbf"):
                    failures.append(f"{text}: no UTF-8 byte-order mark")
                if body.count(b"\n") != body.count(b"\r\n") or b"\n" not in body:
                    failures.append(f"{text}: lines do not all end in CR LF")
                try:
                    content = body.decode("utf-8")
                except UnicodeDecodeError:
                    failures.append(f"{text}: not UTF-8")
                    continue
                if text.startswith("README"):
                    # Every option of the host is documented.
                    for option in ("--profile", "--reverse", "--case", "--ext", "--dry-run",
                                   "--recursive", "--from0", "--verbose", "--quiet", "--undo",
                                   "--list", "--check", "--help", "--version", "LICENSE.txt"):
                        if option not in content:
                            failures.append(f"{text}: says nothing of {option}")
    for failure in failures:
        print(failure)
    print("package: " + ("as promised" if not failures else f"{len(failures)} faults"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
