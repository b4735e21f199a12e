#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Adds up the test results of the given build folders into one line.

Each CTest test is either a GoogleTest program, whose JUnit report in
test-reports/ counts its cases, or a plain check that counts as one case.
A program that ran but left no report (it crashed) counts as one failure,
and so does a build folder that has no CTest results at all.
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def gtest_counts(report):
    root = ET.parse(report).getroot()
    tests = int(root.get("tests", 0))
    failed = int(root.get("failures", 0)) + int(root.get("errors", 0))
    skipped = int(root.get("disabled", 0)) + int(root.get("skipped", 0))
    return tests - failed - skipped, failed


def main(folders):
    passed = failed = 0
    for folder in map(Path, folders):
        ctest = folder / "ctest.xml"
        if not ctest.is_file():
            print(f"{folder}: no test results")
            failed += 1
            continue
        for case in ET.parse(ctest).getroot().iter("testcase"):
            name = case.get("name")
            ok = case.get("status") in ("run", "passed") and case.find("failure") is None
            report = folder / "test-reports" / f"{name}.xml"
            if report.is_file():
                p, f = gtest_counts(report)
                if not ok and f == 0:
                    f = 1  # ended badly after its report was written
                passed, failed = passed + p, failed + f
            elif ok:
                passed += 1
            else:
                failed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
