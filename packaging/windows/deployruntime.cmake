# Runs at install time: installs beside the program every DLL that it and its plugins load, the
# way windeployqt does, by reading their import tables and following them the way Windows'
# loader does. A DLL is looked up in tessaro_dll_folders (Qt's, then the compiler's) without
# regard to letter case, as Windows matches DLL names; a name found in none of them is one of
# Windows' own and stays out.
#
# Set before: tessaro_objdump, tessaro_strip, tessaro_dll_folders, and tessaro_deploy_roots
# (installed files, relative to the prefix).

cmake_policy(PUSH)
cmake_policy(SET CMP0057 NEW) # if(IN_LIST)
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(known "")
foreach(folder IN LISTS tessaro_dll_folders)
    file(GLOB dlls "${folder}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" key)
        if(NOT key IN_LIST known)
            list(APPEND known "${key}")
            set("dll_${key}" "${dll}")
        endif()
    endforeach()
endforeach()

set(pending "")
foreach(root IN LISTS tessaro_deploy_roots)
    list(APPEND pending "${prefix}/${root}")
endforeach()
set(deployed "")
while(pending)
    list(POP_FRONT pending file)
    execute_process(COMMAND "${tessaro_objdump}" -p "${file}"
        OUTPUT_VARIABLE dump ERROR_VARIABLE problem RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "Cannot read the import table of ${file}: ${problem}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(REGEX REPLACE "^DLL Name: *" "" name "${import}")
        string(STRIP "${name}" name)
        string(TOLOWER "${name}" key)
        if(key IN_LIST known AND NOT key IN_LIST deployed)
            list(APPEND deployed "${key}")
            list(APPEND pending "${dll_${key}}")
        endif()
    endforeach()
endwhile()

foreach(key IN LISTS deployed)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE SHARED_LIBRARY FILES "${dll_${key}}")
    if(CMAKE_INSTALL_DO_STRIP)
        get_filename_component(name "${dll_${key}}" NAME)
        execute_process(COMMAND "${tessaro_strip}" --strip-unneeded "${prefix}/${name}"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
cmake_policy(POP)
