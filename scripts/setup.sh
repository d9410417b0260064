#!/bin/sh
# Installs what the build needs (Debian 12), then configures and builds Tessaro into build/.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
# The build, the tests (clang and its runtime for the sanitizer build and the fuzzers), and
# the real-window check (an X server, window and screenshot tools) and the desktop entry check.
packages="cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core
clang libclang-rt-14-dev xvfb xauth x11-utils imagemagick desktop-file-utils"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -qq --no-install-recommends $missing
    else
        echo "Some packages are missing. Run this once, then try again:"
        echo "sudo apt-get install -y --no-install-recommends$missing"
        exit 1
    fi
fi

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build"
