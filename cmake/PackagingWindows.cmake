# The Windows download: a ZIP of the program folder (sonatrix.exe, the Qt
# and runtime DLLs and plugins, the sounds, the pages and the font), the
# folder the Wine tests start the program from. A user unpacks it anywhere
# and runs sonatrix.exe. Built with scripts/package-windows.sh, which runs
#   cpack --config <build>/CPackWindowsConfig.cmake
#
# Everything goes in its own component, so install rules other builds add
# (a Linux package's) never end up in the ZIP.

install(DIRECTORY "${SONATRIX_APP_DIR}/" DESTINATION "." COMPONENT windows_program_folder
        USE_SOURCE_PERMISSIONS)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "Sonatrix")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "Sonatrix-${PROJECT_VERSION}-windows-x64")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
# The archive unpacks into one folder, Sonatrix-<version>-windows-x64\.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL windows_program_folder)
# The tests run the folder with its debugging information; the download
# drops it and the symbol tables.
find_program(SONATRIX_MINGW_STRIP x86_64-w64-mingw32-strip)
set(CPACK_SONATRIX_STRIP "${SONATRIX_MINGW_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/StripWindowsFolder.cmake")
set(CPACK_OUTPUT_CONFIG_FILE "${CMAKE_BINARY_DIR}/CPackWindowsConfig.cmake")
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE "${CMAKE_BINARY_DIR}/CPackWindowsSourceConfig.cmake")
include(CPack)
