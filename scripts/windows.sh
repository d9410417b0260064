#!/bin/sh
# Cross-builds Tessaro for Windows x86_64 into build-windows/ and runs the whole test suite there
# under Wine (on the offscreen platform, in a Wine prefix inside build-windows/), then makes the
# packages. Installs what it needs (Debian 12).
#
# The Qt for Windows is TESSARO_WINDOWS_QT, by default ../shared/qt6-mingw beside the checkout
# (scripts/windows-qt.sh builds one). Exits 77 when there is none.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
qt=${TESSARO_WINDOWS_QT:-$root/../shared/qt6-mingw}

# Without a Qt for Windows there is nothing to build: exit 77, which scripts/test.sh takes as
# "not run".
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "Windows leg not run: no Qt for Windows at $qt (set TESSARO_WINDOWS_QT, or build one with scripts/windows-qt.sh)."
    exit 77
fi
qt=$(cd "$qt" && pwd)

# The cross compiler, the host's Qt tools (moc, rcc, uic), Wine to run the programs and the
# tests, the fonts the offscreen platform draws with, and makensis, unzip, strings, an X server
# and screenshot tools for the packages and their check.
packages="cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools wine64
fonts-dejavu-core nsis unzip binutils xvfb xauth x11-utils imagemagick openbox xdotool"

. "$root/scripts/packages.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DTESSARO_WINDOWS_QT="$qt"
cmake --build "$build"

(cd "$build" && ctest --output-on-failure -j2 -LE packages)

# --- Benchmark ----------------------------------------------------------------------------
# The save benchmark's ratios under Wine, printed and not judged (README: Benchmark of saving).
# A library of 100 entries: Wine looks through a whole folder for every name it creates, so a
# thousand take most of an hour.
echo "Save benchmark under Wine:"
sh "$root/cmake/wine-run.sh" "$build/wine-prefix" "$qt" "$build/bench/bench_save.exe" 100 ||
    echo "The save benchmark under Wine reported problems (see above)."

# The library check's ratio under Wine, printed and not judged (README: Benchmark of the
# library check).
echo "Library check benchmark under Wine:"
sh "$root/cmake/wine-run.sh" "$build/wine-prefix" "$qt" "$build/bench/bench_check.exe" ||
    echo "The library check benchmark under Wine reported problems (see above)."

# --- Packages -----------------------------------------------------------------------------
# The zip and the installer are made here, after the suite has passed: CPack makes both (the
# test windows_packages), then the installer is installed, started from the Start menu and
# uninstalled under Wine (installer_smoke; its picture is build-windows/installer-smoke.png).
(cd "$build" && ctest --output-on-failure -L packages)
