# SPDX-License-Identifier: GPL-3.0-or-later
# FFmpeg's audio libraries for the Windows build of sonatrix-decode: DLLs
# cross-built for mingw-w64 from Debian's source, kept as an archive beside
# the repository (../shared/ffmpeg-mingw/ from its root, or
# SONATRIX_FFMPEG_MINGW_DIR) and unpacked as the Qt for Windows is.
#
# Defines the target sonatrix_ffmpeg and SONATRIX_FFMPEG_DLLS, the DLLs the
# program folder carries beside the executables.

set(sonatrix_ffmpeg_dir_default "${PROJECT_SOURCE_DIR}/../shared/ffmpeg-mingw")
if(DEFINED ENV{SONATRIX_FFMPEG_MINGW_DIR})
    set(sonatrix_ffmpeg_dir_default "$ENV{SONATRIX_FFMPEG_MINGW_DIR}")
endif()
set(SONATRIX_FFMPEG_MINGW_DIR "${sonatrix_ffmpeg_dir_default}" CACHE PATH
    "Folder holding FFmpeg for Windows (ffmpeg-mingw-*.tar.zst)")

include("${CMAKE_CURRENT_LIST_DIR}/UnpackedArchive.cmake")
sonatrix_unpacked_archive("${SONATRIX_FFMPEG_MINGW_DIR}" ffmpeg-mingw include/libavformat/avformat.h
                          sonatrix_ffmpeg_prefix)
if(NOT sonatrix_ffmpeg_prefix)
    message(FATAL_ERROR "No FFmpeg for Windows (ffmpeg-mingw-*.tar.zst) in "
                        "${SONATRIX_FFMPEG_MINGW_DIR}: the program cannot decode sounds without it")
endif()

# Import libraries by their full names: the executables link everything
# else statically, and -static would look for static FFmpeg libraries.
add_library(sonatrix_ffmpeg INTERFACE)
target_include_directories(sonatrix_ffmpeg SYSTEM INTERFACE "${sonatrix_ffmpeg_prefix}/include")
set(SONATRIX_FFMPEG_DLLS)
foreach(library avformat avcodec swresample avutil)
    target_link_libraries(sonatrix_ffmpeg INTERFACE
        "${sonatrix_ffmpeg_prefix}/lib/lib${library}.dll.a")
    file(GLOB dll "${sonatrix_ffmpeg_prefix}/bin/${library}-*.dll")
    list(APPEND SONATRIX_FFMPEG_DLLS ${dll})
endforeach()
