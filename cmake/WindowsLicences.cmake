# SPDX-License-Identifier: GPL-3.0-or-later
# The licences the Windows program folder carries, as "from|to" pairs in
# SONATRIX_WINDOWS_LICENCES (cmake/WindowsProgramFolder.cmake copies them):
# the program's own (LICENSE.txt at the top), the copyright files of the
# Debian packages built from the same sources as the bundled libraries and
# the font, the full texts those files only point at on Debian (LGPL-3 for
# Qt among them; FFmpeg's LGPL-2.1 from its tree, unpacked by
# cmake/FfmpegForWindows.cmake; libebur128's MIT text from its archive),
# SOURCES.txt, and
# the recipes and patches the libraries were built with (licences\recipes\).

# libebur128 is named only where the folder carries it
# (cmake/Ebur128ForWindows.cmake).
set(SONATRIX_EBUR128_SOURCES "")
set(SONATRIX_EBUR128_LICENCE "")
if(SONATRIX_EBUR128_DLL)
    string(CONCAT SONATRIX_EBUR128_SOURCES
        "libebur128 1.2.6 (libebur128.dll), MIT (libebur128.txt)\n"
        "    libebur128 1.2.6-1: its upstream tarball, libebur128_1.2.6.orig.tar.gz\n"
        "        sha256 baa7fc293a3d4651e244d8022ad03ab797ca3c2ad8442c43199afe8059faa613,\n"
        "        unchanged\n"
        "    The build commands: recipes\\ebur128-mingw\\\n\n")
    string(CONCAT SONATRIX_EBUR128_LICENCE
        "libebur128.txt\n"
        "    libebur128 1.2.6 (libebur128.dll), the loudness meter, under the MIT\n"
        "    licence. Built for Windows with mingw-w64 from Debian's libebur128\n"
        "    1.2.6 source, unchanged (recipes\\ebur128-mingw\\).\n\n")
endif()
configure_file("${PROJECT_SOURCE_DIR}/src/windows/SOURCES.txt"
               "${CMAKE_BINARY_DIR}/windows-licences/SOURCES.txt" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/src/windows/licences.txt"
               "${CMAKE_BINARY_DIR}/windows-licences/README.txt" @ONLY)

set(sonatrix_copyright_files
    "/usr/share/doc/libqt6core6/copyright|licences/Qt.txt"
    "/usr/share/doc/libqt6svg6/copyright|licences/Qt-Svg.txt"
    "/usr/share/doc/libqt6multimedia6/copyright|licences/Qt-Multimedia.txt"
    "/usr/share/doc/gcc-mingw-w64-base/copyright|licences/GCC-runtime.txt"
    "/usr/share/doc/mingw-w64-common/copyright|licences/mingw-w64.txt"
    "${SONATRIX_WINDOWS_FONT_LICENCE}|fonts/ARPHICPL.txt")
set(SONATRIX_WINDOWS_LICENCES
    "${PROJECT_SOURCE_DIR}/LICENSE|LICENSE.txt"
    "${CMAKE_BINARY_DIR}/windows-licences/README.txt|licences/README.txt"
    "${CMAKE_BINARY_DIR}/windows-licences/SOURCES.txt|licences/SOURCES.txt"
    "${sonatrix_ffmpeg_prefix}/COPYING.LGPLv2.1|licences/LGPL-2.1.txt"
    ${sonatrix_copyright_files})
if(SONATRIX_EBUR128_DLL)
    list(APPEND SONATRIX_WINDOWS_LICENCES
         "${sonatrix_ebur128_prefix}/COPYING.libebur128|licences/libebur128.txt")
endif()

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
set(sonatrix_archives qt6-mingw ffmpeg-mingw)
if(SONATRIX_EBUR128_DLL)
    list(APPEND sonatrix_archives ebur128-mingw)
endif()
foreach(library IN LISTS sonatrix_archives)
    if(library STREQUAL "qt6-mingw")
        set(folder "${SONATRIX_QT_MINGW_DIR}")
    elseif(library STREQUAL "ffmpeg-mingw")
        set(folder "${SONATRIX_FFMPEG_MINGW_DIR}")
    else()
        set(folder "${SONATRIX_EBUR128_MINGW_DIR}")
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
