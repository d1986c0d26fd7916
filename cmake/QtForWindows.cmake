# SPDX-License-Identifier: GPL-3.0-or-later
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

include("${CMAKE_CURRENT_LIST_DIR}/UnpackedArchive.cmake")
sonatrix_unpacked_archive("${SONATRIX_QT_MINGW_DIR}" qt6-mingw lib/cmake/Qt6/Qt6Config.cmake
                          SONATRIX_QT_MINGW_PREFIX)
if(NOT SONATRIX_QT_MINGW_PREFIX)
    message(NOTICE "No Qt for Windows (qt6-mingw-*.tar.zst) in ${SONATRIX_QT_MINGW_DIR}: "
                   "building the core alone")
    set(SONATRIX_GUI OFF)
    # Nothing to package: an earlier configure's ZIP settings must not stay.
    file(REMOVE "${CMAKE_BINARY_DIR}/CPackWindowsConfig.cmake")
    return()
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
