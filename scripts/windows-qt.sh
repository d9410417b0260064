#!/bin/sh
# Builds the Qt for Windows x86_64 that scripts/windows.sh cross-compiles Tessaro against, from
# Debian's own qt6-base source package with Debian's mingw-w64 (posix threads): shared Qt6Core,
# Qt6Gui, Qt6Widgets and Qt6Test, the windows and offscreen platforms, the gif and ico image
# formats and the Windows styles. It is the same version as Debian's Qt, whose moc, rcc and uic
# the cross build uses. Needs the superuser for apt-get; takes most of an hour on two cores and
# about 6 GB in the work folder.
#
#   sh scripts/windows-qt.sh [PREFIX [WORK-FOLDER]]
#
# PREFIX (default: TESSARO_WINDOWS_QT, or ../shared/qt6-mingw beside the checkout, where
# scripts/windows.sh looks) must not hold a Qt yet. WORK-FOLDER defaults to build-windows-qt/ in
# the checkout and may be deleted afterwards.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-${TESSARO_WINDOWS_QT:-$root/../shared/qt6-mingw}}
work=${2:-$root/build-windows-qt}

packages="cmake ninja-build qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix
mingw-w64-tools xz-utils"

if [ -e "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix already holds a Qt; name an empty folder." >&2
    exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "This needs apt-get (a source entry, the source package and the build tools): run it as root." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive

# apt-get source needs a deb-src entry; Debian's image has none.
if ! grep -rqs -e '^Types:.*deb-src' -e '^deb-src' /etc/apt/sources.list.d/ /etc/apt/sources.list; then
    echo "Adding Debian's source packages to apt (/etc/apt/sources.list.d/debian-src.sources)"
    cat >/etc/apt/sources.list.d/debian-src.sources <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
fi
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $packages

# The host tools must be of the version they generate code for.
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+~-].*//')

mkdir -p "$work" "$prefix"
prefix=$(cd "$prefix" && pwd)
work=$(cd "$work" && pwd)
cd "$work"
rm -rf qtbase-everywhere-src-* build
apt-get source --download-only qt6-base
set -- qt6-base_*.orig.tar.xz
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "Expected one qt6-base source archive in $work, found: $*" >&2
    exit 1
fi
tar xJf "$1"
src=$work/qtbase-everywhere-src-$host_version
if [ ! -d "$src" ]; then
    echo "The source package is not Qt $host_version, the version of the host's Qt tools: $(ls -d qtbase-everywhere-src-*)" >&2
    exit 1
fi

# Qt 6.4.2 refers to the desktop-GL context of its Windows plugin when OpenGL is switched off;
# the guard makes that code follow the opengl feature as the rest of the plugin does.
guarded=$src/src/plugins/platforms/windows/qwindowswindow.cpp
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' "$guarded"
if ! grep -q '^#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)$' "$guarded"; then
    echo "The OpenGL guard no longer applies to $guarded; check it for this Qt version." >&2
    exit 1
fi

# Kept in the SDK: its qt.toolchain.cmake loads it from there, so a program needs only that file.
cat >"$prefix/toolchain-mingw.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# Only what Tessaro and its tests use, optimized for size. Debian's source drops the Wintab
# header (src/3rdparty/wintab), so tablet events are off; the third-party libraries are Qt's
# own copies, built in.
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain-mingw.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_freetype=ON -DFEATURE_fontconfig=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_optimize_size=ON
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"
# The SDK can be moved: its toolchain file finds the mingw one beside itself, not where it was
# built.
toolchain=$prefix/lib/cmake/Qt6/qt.toolchain.cmake
sed -i "s|\"$prefix/toolchain-mingw.cmake\"|\"\${CMAKE_CURRENT_LIST_DIR}/../../../toolchain-mingw.cmake\"|" \
    "$toolchain"
if grep -q "$prefix" "$toolchain"; then
    echo "$toolchain still names $prefix; the SDK cannot be moved." >&2
    exit 1
fi
# The DLLs without their symbols, as they are shipped with the program.
find "$prefix" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

echo "Qt $host_version for Windows is in $prefix; build Tessaro with"
echo "  TESSARO_WINDOWS_QT=$prefix sh scripts/windows.sh"
