#!/bin/sh
# Sets up and builds Tessaro, then runs the whole test suite.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root/build"
exec ctest --output-on-failure
