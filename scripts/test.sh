#!/bin/sh
# Sets up and builds Tessaro, runs the whole test suite, then runs it once more under the
# sanitizers, with the fuzz targets (scripts/sanitize.sh). Where a Qt for Windows is found
# (scripts/windows.sh says where it looks), the Windows build and its suite under Wine follow;
# where none is, one line says so and the Linux suite decides alone.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
(cd "$root/build" && ctest --output-on-failure)
"$root/scripts/sanitize.sh"

status=0
"$root/scripts/windows.sh" || status=$?
# 77: no Qt for Windows here; windows.sh has said so.
[ "$status" -eq 77 ] && status=0
exit "$status"
