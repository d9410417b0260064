# Read by cpack once per generator: the zip and the installer are named apart.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "tessaro-${CPACK_PACKAGE_VERSION}-setup")
else()
    set(CPACK_PACKAGE_FILE_NAME "tessaro-${CPACK_PACKAGE_VERSION}-windows-x64")
endif()
