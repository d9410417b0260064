#!/bin/sh
# Sets up and builds Tessaro, runs the whole test suite, then runs it once more under the
# sanitizers, with the fuzz targets (scripts/sanitize.sh).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
(cd "$root/build" && ctest --output-on-failure)
exec "$root/scripts/sanitize.sh"
