#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the host's bats tests and writes their JUnit report.
# Usage: run.sh HOST_EXE DLL PROFILES_DIR WINEPREFIX REPORT_XML
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export HOST_EXE=$1 HOST_DLL=$2 HOST_PROFILES=$3 WINEPREFIX=$4
source "$here/../../tools/wine-env.sh"
unset DISPLAY  # renaming files needs no display
translit_wine_prefix >/dev/null 2>&1
wineserver -p >/dev/null 2>&1  # one server for every test, ended below
reports=$(mktemp -d)
trap 'rm -rf "$reports"; wineserver -k' EXIT
bats --report-formatter junit --output "$reports" "$here/host.bats"
status=$?
mv "$reports/report.xml" "$5"
exit $status
