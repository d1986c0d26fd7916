# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack once per generator: the Debian package takes the files laid
# out the Unix way, the archive the program folder.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL installed)
elseif(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_COMPONENTS_ALL portable)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
