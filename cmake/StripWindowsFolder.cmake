# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack before it archives the Windows program folder: removes the
# debugging information from every .exe and .dll of the staged folder.
if(NOT CPACK_SONATRIX_STRIP)
    message(STATUS "No x86_64-w64-mingw32-strip: the ZIP keeps its debugging information")
    return()
endif()
file(GLOB_RECURSE binaries "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.exe"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.dll")
foreach(binary IN LISTS binaries)
    execute_process(COMMAND "${CPACK_SONATRIX_STRIP}" "${binary}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "cannot strip ${binary}")
    endif()
endforeach()
