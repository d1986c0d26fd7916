# The Qt for the Windows build: a cross-built Qt 6 for mingw-w64, kept as an
# archive beside the repository (../shared/qt6-mingw/ from its root, or
# SONATRIX_QT_MINGW_DIR). It is unpacked once into the build folder, again
# only when the archive is newer than the unpacked copy. Without it the
# Windows build has no windows: it says so and builds the core alone.
#
# Sets SONATRIX_QT_MINGW_PREFIX (the unpacked Qt) and, when there is no Qt,
# turns SONATRIX_GUI off for this build.

set(sonatrix_qt_dir_default "${PROJECT_SOURCE_DIR}/../shared/qt6-mingw")
if(DEFINED ENV{SONATRIX_QT_MINGW_DIR})
    set(sonatrix_qt_dir_default "$ENV{SONATRIX_QT_MINGW_DIR}")
endif()
set(SONATRIX_QT_MINGW_DIR "${sonatrix_qt_dir_default}" CACHE PATH
    "Folder holding the Qt for Windows archive (qt6-mingw-*.tar.zst)")

file(GLOB sonatrix_qt_archives "${SONATRIX_QT_MINGW_DIR}/qt6-mingw-*.tar.zst")
list(SORT sonatrix_qt_archives)
list(POP_BACK sonatrix_qt_archives sonatrix_qt_archive)

if(NOT sonatrix_qt_archive)
    message(NOTICE "No Qt for Windows (qt6-mingw-*.tar.zst) in ${SONATRIX_QT_MINGW_DIR}: "
                   "building the core alone")
    set(SONATRIX_GUI OFF)
    # Nothing to package: an earlier configure's ZIP settings must not stay.
    file(REMOVE "${CMAKE_BINARY_DIR}/CPackWindowsConfig.cmake")
    return()
endif()

set(SONATRIX_QT_MINGW_PREFIX "${CMAKE_BINARY_DIR}/qt6-mingw")
set(sonatrix_qt_stamp "${CMAKE_BINARY_DIR}/qt6-mingw.unpacked")
if(NOT EXISTS "${sonatrix_qt_stamp}" OR "${sonatrix_qt_archive}" IS_NEWER_THAN "${sonatrix_qt_stamp}")
    # A damaged download would give errors far from their cause.
    if(EXISTS "${sonatrix_qt_archive}.sha256")
        file(READ "${sonatrix_qt_archive}.sha256" sonatrix_qt_expected)
        string(REGEX MATCH "^[0-9a-f]+" sonatrix_qt_expected "${sonatrix_qt_expected}")
        file(SHA256 "${sonatrix_qt_archive}" sonatrix_qt_actual)
        if(NOT sonatrix_qt_actual STREQUAL sonatrix_qt_expected)
            message(FATAL_ERROR "${sonatrix_qt_archive} does not match its .sha256")
        endif()
    endif()
    message(STATUS "Unpacking ${sonatrix_qt_archive}")
    file(REMOVE_RECURSE "${SONATRIX_QT_MINGW_PREFIX}")
    file(ARCHIVE_EXTRACT INPUT "${sonatrix_qt_archive}" DESTINATION "${CMAKE_BINARY_DIR}")
    if(NOT EXISTS "${SONATRIX_QT_MINGW_PREFIX}/lib/cmake/Qt6/Qt6Config.cmake")
        message(FATAL_ERROR "${sonatrix_qt_archive} holds no qt6-mingw/ with a Qt 6")
    endif()
    file(TOUCH "${sonatrix_qt_stamp}")
endif()

# What the archive's own toolchain file would set: the Windows Qt is looked
# for below its prefix, its host tools (moc, rcc, uic) are Debian's.
list(PREPEND CMAKE_PREFIX_PATH "${SONATRIX_QT_MINGW_PREFIX}/lib/cmake")
list(PREPEND CMAKE_FIND_ROOT_PATH "${SONATRIX_QT_MINGW_PREFIX}")
file(GLOB sonatrix_host_qt_tools "/usr/lib/*/cmake/Qt6CoreTools/Qt6CoreToolsConfig.cmake")
if(NOT sonatrix_host_qt_tools)
    message(FATAL_ERROR "The Windows Qt needs the host's Qt tools (qt6-base-dev-tools)")
endif()
list(GET sonatrix_host_qt_tools 0 sonatrix_host_qt_tools)
cmake_path(GET sonatrix_host_qt_tools PARENT_PATH sonatrix_host_qt_cmake)
cmake_path(GET sonatrix_host_qt_cmake PARENT_PATH sonatrix_host_qt_cmake)
set(QT_HOST_PATH "/usr" CACHE PATH "Prefix of the host's Qt tools")
set(QT_HOST_PATH_CMAKE_DIR "${sonatrix_host_qt_cmake}" CACHE PATH "CMake packages of the host's Qt")
