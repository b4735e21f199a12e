#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the command's bats tests against the given translit.sh and writes
# their JUnit report. Usage: run.sh TRANSLIT_SH REPORT_XML [BATS_FILE...]
# (default: every .bats file here)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export TRANSLIT=$1
reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
files=("${@:3}")
[ "${#files[@]}" -gt 0 ] || files=("$here")
bats --report-formatter junit --output "$reports" "${files[@]}"
status=$?
mv "$reports/report.xml" "$2"
exit $status
