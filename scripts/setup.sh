#!/bin/sh
# Installs what the build needs (Debian 12), then configures and builds Tessaro into build/.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
# The build, the tests (clang and its runtime for the sanitizer build and the fuzzers), and
# the real-window checks (an X server, the window manager openbox, window, key and screenshot
# tools) and the desktop entry check.
packages="cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core
clang libclang-rt-14-dev xvfb xauth x11-utils imagemagick desktop-file-utils openbox xdotool dbus-daemon at-spi2-core"

. "$root/scripts/packages.sh"

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build"
