# Cross build for Windows x86_64 with Debian's mingw-w64 (posix threads, so that std::thread and
# the Qt SDK's own runtime agree). The Qt for Windows comes from TESSARO_WINDOWS_QT (a cache
# variable or the environment); moc, rcc and uic are the host's, which are of the same version.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTESSARO_WINDOWS_QT=<sdk> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT TESSARO_WINDOWS_QT AND DEFINED ENV{TESSARO_WINDOWS_QT})
    set(TESSARO_WINDOWS_QT "$ENV{TESSARO_WINDOWS_QT}")
endif()
if(NOT TESSARO_WINDOWS_QT)
    message(FATAL_ERROR "Name the Qt for Windows with -DTESSARO_WINDOWS_QT=<folder>.")
endif()
get_filename_component(TESSARO_WINDOWS_QT "${TESSARO_WINDOWS_QT}" ABSOLUTE)
set(TESSARO_WINDOWS_QT "${TESSARO_WINDOWS_QT}" CACHE PATH "Qt SDK for Windows x86_64")
# try_compile projects read the toolchain again and need the same SDK.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSARO_WINDOWS_QT)

# Everything for the target comes from the mingw-w64 sysroot and the SDK, never from the host.
# The SDK is a root and its lib/cmake the prefix: CMake does not re-root a prefix that equals
# a root.
set(CMAKE_FIND_ROOT_PATH "${TESSARO_WINDOWS_QT}" /usr/x86_64-w64-mingw32)
list(PREPEND CMAKE_PREFIX_PATH "${TESSARO_WINDOWS_QT}/lib/cmake")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# moc, rcc and uic of the host's Qt.
set(QT_HOST_PATH /usr CACHE PATH "Host Qt")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt CMake packages")

# The host's rcc compresses with zstd, which the SDK's QtCore cannot read.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
