# SPDX-License-Identifier: GPL-3.0-or-later
# The licences the Windows program folder carries, as "from|to" pairs in
# SONATRIX_WINDOWS_LICENCES (cmake/WindowsProgramFolder.cmake copies them):
# the program's own (LICENSE.txt at the top), the copyright files of the
# Debian packages built from the same sources as the bundled libraries and
# the font, the full texts those files only point at on Debian (LGPL-3 for
# Qt among them; FFmpeg's LGPL-2.1 from its own archive), SOURCES.txt, and
# the recipes and patches the libraries were built with (licences\recipes\).

set(sonatrix_ffmpeg_dir_default "${PROJECT_SOURCE_DIR}/../shared/ffmpeg-mingw")
if(DEFINED ENV{SONATRIX_FFMPEG_MINGW_DIR})
    set(sonatrix_ffmpeg_dir_default "$ENV{SONATRIX_FFMPEG_MINGW_DIR}")
endif()
set(SONATRIX_FFMPEG_MINGW_DIR "${sonatrix_ffmpeg_dir_default}" CACHE PATH
    "Folder holding the FFmpeg for Windows archive (ffmpeg-mingw-*.tar.zst)")

# FFmpeg's licence text as its archive carries it.
file(GLOB sonatrix_ffmpeg_archives "${SONATRIX_FFMPEG_MINGW_DIR}/ffmpeg-mingw-*.tar.zst")
list(SORT sonatrix_ffmpeg_archives)
list(POP_BACK sonatrix_ffmpeg_archives sonatrix_ffmpeg_archive)
if(NOT sonatrix_ffmpeg_archive)
    message(FATAL_ERROR "No FFmpeg for Windows (ffmpeg-mingw-*.tar.zst) in "
                        "${SONATRIX_FFMPEG_MINGW_DIR}: its licence cannot be shipped")
endif()
set(sonatrix_ffmpeg_licence_dir "${CMAKE_BINARY_DIR}/ffmpeg-licence")
if(NOT EXISTS "${sonatrix_ffmpeg_licence_dir}/ffmpeg-mingw/COPYING.LGPLv2.1"
   OR "${sonatrix_ffmpeg_archive}" IS_NEWER_THAN
      "${sonatrix_ffmpeg_licence_dir}/ffmpeg-mingw/COPYING.LGPLv2.1")
    file(REMOVE_RECURSE "${sonatrix_ffmpeg_licence_dir}")
    file(ARCHIVE_EXTRACT INPUT "${sonatrix_ffmpeg_archive}"
         DESTINATION "${sonatrix_ffmpeg_licence_dir}" PATTERNS "ffmpeg-mingw/COPYING.LGPLv2.1")
endif()

configure_file("${PROJECT_SOURCE_DIR}/src/windows/SOURCES.txt"
               "${CMAKE_BINARY_DIR}/windows-licences/SOURCES.txt" @ONLY)

set(sonatrix_copyright_files
    "/usr/share/doc/libqt6core6/copyright|licences/Qt.txt"
    "/usr/share/doc/libqt6svg6/copyright|licences/Qt-Svg.txt"
    "/usr/share/doc/libqt6multimedia6/copyright|licences/Qt-Multimedia.txt"
    "/usr/share/doc/gcc-mingw-w64-base/copyright|licences/GCC-runtime.txt"
    "/usr/share/doc/mingw-w64-common/copyright|licences/mingw-w64.txt"
    "${SONATRIX_WINDOWS_FONT_LICENCE}|fonts/ARPHICPL.txt")
set(SONATRIX_WINDOWS_LICENCES
    "${PROJECT_SOURCE_DIR}/LICENSE|LICENSE.txt"
    "${PROJECT_SOURCE_DIR}/src/windows/licences.txt|licences/README.txt"
    "${CMAKE_BINARY_DIR}/windows-licences/SOURCES.txt|licences/SOURCES.txt"
    "${sonatrix_ffmpeg_licence_dir}/ffmpeg-mingw/COPYING.LGPLv2.1|licences/LGPL-2.1.txt"
    ${sonatrix_copyright_files})

# Every licence text a copyright file points at on Debian, as
# licences\<NAME>.txt: the folder carries them all, not the pointers alone.
set(sonatrix_common_licences)
foreach(copy IN LISTS sonatrix_copyright_files)
    string(REGEX REPLACE "\\|.*" "" from "${copy}")
    file(STRINGS "${from}" pointers REGEX "common-licenses/")
    string(REGEX MATCHALL "common-licenses/[A-Za-z0-9+.-]*[A-Za-z0-9+]" pointers "${pointers}")
    list(TRANSFORM pointers REPLACE "^common-licenses/" "")
    list(APPEND sonatrix_common_licences ${pointers})
endforeach()
list(REMOVE_DUPLICATES sonatrix_common_licences)
list(REMOVE_ITEM sonatrix_common_licences LGPL-2.1)  # FFmpeg's own copy above
foreach(name IN LISTS sonatrix_common_licences)
    list(APPEND SONATRIX_WINDOWS_LICENCES "/usr/share/common-licenses/${name}|licences/${name}.txt")
endforeach()

# Each archive's README and recipe folder, beside the archive.
foreach(library IN ITEMS qt6-mingw ffmpeg-mingw)
    if(library STREQUAL "qt6-mingw")
        set(folder "${SONATRIX_QT_MINGW_DIR}")
    else()
        set(folder "${SONATRIX_FFMPEG_MINGW_DIR}")
    endif()
    file(GLOB_RECURSE recipe RELATIVE "${folder}" CONFIGURE_DEPENDS "${folder}/recipe/*")
    if(NOT recipe OR NOT EXISTS "${folder}/README.md")
        message(FATAL_ERROR "${folder} holds no recipe/ and README.md to ship with ${library}")
    endif()
    foreach(file IN ITEMS README.md ${recipe})
        string(REGEX REPLACE "^recipe/" "" below "${file}")
        list(APPEND SONATRIX_WINDOWS_LICENCES
             "${folder}/${file}|licences/recipes/${library}/${below}")
    endforeach()
endforeach()
