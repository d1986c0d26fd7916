# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows downloads, made from the program folder (sonatrix.exe, the Qt
# and runtime DLLs and plugins, the sounds, the pages, the font and the
# licences), the folder the Wine tests start the program from:
#   - Sonatrix-<version>-windows-x64.zip: unpacked anywhere, a portable
#     program; its folder is "Sonatrix" whatever the version, so a newer
#     ZIP unpacked over an older one keeps what the user added to its
#     library;
#   - Sonatrix-<version>-setup.exe: the installer (cmake/nsis/NSIS.template.in).
# Built with scripts/package-windows.sh, which runs
#   cpack --config <build>/CPackWindowsConfig.cmake
#
# Everything goes in its own component, so install rules other builds add
# (a Linux package's) never end up in the downloads.

install(DIRECTORY "${SONATRIX_APP_DIR}/" DESTINATION "." COMPONENT windows_program_folder
        USE_SOURCE_PERMISSIONS)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME "Sonatrix")
set(CPACK_PACKAGE_VENDOR "Sonatrix maintainers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_COMPONENTS_ALL windows_program_folder)
# Each generator's file name and folder (cmake/PackagingWindowsPerGenerator.cmake).
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/PackagingWindowsPerGenerator.cmake")

# The ZIP unpacks into one folder.
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

# The installer: our own script, run by makensis (package nsis).
set(CPACK_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/nsis")
set(CPACK_NSIS_MUI_ICON "${SONATRIX_ICON}")
set(CPACK_NSIS_MUI_UNIICON "${SONATRIX_ICON}")
set(CPACK_NSIS_URL_INFO_ABOUT "${PROJECT_HOMEPAGE_URL}")
# The file the program takes as the sign of an installed folder
# (kInstalledMarker in src/core/catalogue/catalogue.h).
set(CPACK_SONATRIX_INSTALLED_MARKER "installed.txt")

# The tests run the folder with its debugging information; the downloads
# drop it and the symbol tables.
find_program(SONATRIX_MINGW_STRIP x86_64-w64-mingw32-strip)
set(CPACK_SONATRIX_STRIP "${SONATRIX_MINGW_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/StripWindowsFolder.cmake")
set(CPACK_OUTPUT_CONFIG_FILE "${CMAKE_BINARY_DIR}/CPackWindowsConfig.cmake")
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE "${CMAKE_BINARY_DIR}/CPackWindowsSourceConfig.cmake")
include(CPack)
