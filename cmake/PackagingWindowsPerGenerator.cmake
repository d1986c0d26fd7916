# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack once per Windows generator (cmake/PackagingWindows.cmake).
if(CPACK_GENERATOR STREQUAL "ZIP")
    # The folder inside keeps its name across versions; the file says which.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_PACKAGE_FILE_NAME "Sonatrix")
    set(CPACK_ARCHIVE_FILE_NAME "Sonatrix-${CPACK_PACKAGE_VERSION}-windows-x64")
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "Sonatrix-${CPACK_PACKAGE_VERSION}-setup")
    # One program, no parts to choose from.
    set(CPACK_MONOLITHIC_INSTALL ON)
endif()
