# SPDX-License-Identifier: GPL-3.0-or-later
# An archive of a cross-built library kept beside the repository,
# "<folder>/<name>-*.tar.zst" holding one folder <name>/: the newest is
# unpacked into the build folder once, and again only when it is newer than
# what was unpacked. An archive that does not match the .sha256 beside it
# stops the configure step (a damaged download would give errors far from
# their cause).
#
#   sonatrix_unpacked_archive(<folder> <name> <file it must hold> <out_var>)
#
# Sets <out_var> to the unpacked folder, or to "" when there is no archive.
function(sonatrix_unpacked_archive folder name must_hold out_var)
    file(GLOB archives "${folder}/${name}-*.tar.zst")
    list(SORT archives)
    list(POP_BACK archives archive)
    if(NOT archive)
        set(${out_var} "" PARENT_SCOPE)
        return()
    endif()
    set(prefix "${CMAKE_BINARY_DIR}/${name}")
    set(stamp "${CMAKE_BINARY_DIR}/${name}.unpacked")
    if(NOT EXISTS "${stamp}" OR "${archive}" IS_NEWER_THAN "${stamp}")
        if(EXISTS "${archive}.sha256")
            file(READ "${archive}.sha256" expected)
            string(REGEX MATCH "^[0-9a-f]+" expected "${expected}")
            file(SHA256 "${archive}" actual)
            if(NOT actual STREQUAL expected)
                message(FATAL_ERROR "${archive} does not match its .sha256")
            endif()
        endif()
        message(STATUS "Unpacking ${archive}")
        file(REMOVE_RECURSE "${prefix}")
        file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${CMAKE_BINARY_DIR}")
        if(NOT EXISTS "${prefix}/${must_hold}")
            message(FATAL_ERROR "${archive} holds no ${name}/${must_hold}")
        endif()
        file(TOUCH "${stamp}")
    endif()
    set(${out_var} "${prefix}" PARENT_SCOPE)
endfunction()
