# SPDX-License-Identifier: GPL-3.0-or-later
# libebur128 for the Windows build, the loudness meter the Linux build takes
# from Debian: a DLL cross-built for mingw-w64 from the same version, kept
# as an archive beside the repository (../shared/ebur128-mingw/ from its
# root, or SONATRIX_EBUR128_MINGW_DIR) and unpacked as the Qt for Windows
# is. Without it the build says so and goes on: nothing is measured, and
# every sound is written as it is.
#
# Defines the target sonatrix_ebur128 and SONATRIX_EBUR128_DLL when there is
# an archive.

set(sonatrix_ebur128_dir_default "${PROJECT_SOURCE_DIR}/../shared/ebur128-mingw")
if(DEFINED ENV{SONATRIX_EBUR128_MINGW_DIR})
    set(sonatrix_ebur128_dir_default "$ENV{SONATRIX_EBUR128_MINGW_DIR}")
endif()
set(SONATRIX_EBUR128_MINGW_DIR "${sonatrix_ebur128_dir_default}" CACHE PATH
    "Folder holding libebur128 for Windows (ebur128-mingw-*.tar.zst)")

include("${CMAKE_CURRENT_LIST_DIR}/UnpackedArchive.cmake")
sonatrix_unpacked_archive("${SONATRIX_EBUR128_MINGW_DIR}" ebur128-mingw include/ebur128.h
                          sonatrix_ebur128_prefix)
if(NOT sonatrix_ebur128_prefix)
    message(NOTICE "No libebur128 for Windows (ebur128-mingw-*.tar.zst) in "
                   "${SONATRIX_EBUR128_MINGW_DIR}: sounds are written without matching "
                   "their loudness")
    return()
endif()

add_library(sonatrix_ebur128 INTERFACE)
target_include_directories(sonatrix_ebur128 SYSTEM INTERFACE "${sonatrix_ebur128_prefix}/include")
target_link_libraries(sonatrix_ebur128 INTERFACE "${sonatrix_ebur128_prefix}/lib/libebur128.dll.a")
set(SONATRIX_EBUR128_DLL "${sonatrix_ebur128_prefix}/bin/libebur128.dll")

# Every program of the build finds the DLL beside it, as sonatrix.exe does
# in the program folder: the tests run them under Wine where they are built.
# Call once every target is defined.
function(sonatrix_ebur128_beside_programs)
    set(folders "${PROJECT_SOURCE_DIR}")
    set(programs)
    while(folders)
        list(POP_FRONT folders folder)
        get_property(subfolders DIRECTORY "${folder}" PROPERTY SUBDIRECTORIES)
        list(APPEND folders ${subfolders})
        get_property(targets DIRECTORY "${folder}" PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            get_target_property(output ${target} RUNTIME_OUTPUT_DIRECTORY)
            # The program folder carries it already (WindowsProgramFolder.cmake).
            if(type STREQUAL "EXECUTABLE" AND NOT output STREQUAL SONATRIX_APP_DIR)
                list(APPEND programs ${target})
            endif()
        endforeach()
    endwhile()
    set(copies)
    foreach(program IN LISTS programs)
        list(APPEND copies
             COMMAND "${CMAKE_COMMAND}" -E make_directory "$<TARGET_FILE_DIR:${program}>"
             COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${SONATRIX_EBUR128_DLL}"
                     "$<TARGET_FILE_DIR:${program}>")
    endforeach()
    add_custom_target(sonatrix_ebur128_beside_programs ${copies} VERBATIM)
    foreach(program IN LISTS programs)
        add_dependencies(${program} sonatrix_ebur128_beside_programs)
    endforeach()
endfunction()
