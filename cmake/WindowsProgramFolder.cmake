# SPDX-License-Identifier: GPL-3.0-or-later
# What the Windows program folder holds besides the program, its sounds and
# its pages: the Qt DLLs and plugins it loads, the compiler's runtime DLLs,
# FFmpeg's DLLs for sonatrix-decode and libebur128's for measuring, from
# the unpacked archives (there is no windeployqt for a cross build, so
# the list is ours; tests/windows/program_folder_win_test.cpp starts the
# program from the folder alone), the CJK font used where the system has no
# 宋体, and the licences (cmake/WindowsLicences.cmake).

# Qt6Multimedia (which imports Qt6Network) and its plugin serve the sound
# module (sonatrix-sound.dll, built into the folder) that the program loads
# at the first sound: sonatrix.exe itself imports neither.
set(SONATRIX_WINDOWS_DLLS
    Qt6Core Qt6Gui Qt6Widgets Qt6Network Qt6Multimedia Qt6Svg
    libstdc++-6 libgcc_s_seh-1 libwinpthread-1)
set(SONATRIX_WINDOWS_PLUGINS
    platforms/qwindows      # the desktop
    platforms/qoffscreen    # no desktop: the tests
    styles/qwindowsvistastyle
    multimedia/windowsmediaplugin)
# AR PL SungtiL GB (Debian's fonts-arphic-gbsn00lp): a Song face like 宋体,
# under the Arphic Public License, which ships with it in "fonts", where
# the program looks (src/gui/bundled_font_win.cpp).
set(SONATRIX_WINDOWS_FONT "/usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf")
set(SONATRIX_WINDOWS_FONT_LICENCE "/usr/share/doc/fonts-arphic-gbsn00lp/copyright")

# What the folder ships of other people's work comes with its terms.
include("${CMAKE_CURRENT_LIST_DIR}/WindowsLicences.cmake")

set(sonatrix_windows_copies)
foreach(dll IN LISTS SONATRIX_WINDOWS_DLLS)
    list(APPEND sonatrix_windows_copies "${SONATRIX_QT_MINGW_PREFIX}/bin/${dll}.dll|${dll}.dll")
endforeach()
foreach(dll IN LISTS SONATRIX_FFMPEG_DLLS SONATRIX_EBUR128_DLL)
    cmake_path(GET dll FILENAME name)
    list(APPEND sonatrix_windows_copies "${dll}|${name}")
endforeach()
foreach(plugin IN LISTS SONATRIX_WINDOWS_PLUGINS)
    list(APPEND sonatrix_windows_copies
         "${SONATRIX_QT_MINGW_PREFIX}/plugins/${plugin}.dll|${plugin}.dll")
endforeach()
list(APPEND sonatrix_windows_copies
     "${SONATRIX_WINDOWS_FONT}|fonts/gbsn00lp.ttf"
     ${SONATRIX_WINDOWS_LICENCES})

foreach(copy IN LISTS sonatrix_windows_copies)
    string(REPLACE "|" ";" copy "${copy}")
    list(GET copy 0 from)
    list(GET copy 1 to)
    if(NOT EXISTS "${from}")
        message(FATAL_ERROR "${from} is missing: run scripts/install-deps.sh")
    endif()
    cmake_path(GET to PARENT_PATH folder)
    add_custom_command(
        OUTPUT "${SONATRIX_APP_DIR}/${to}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${SONATRIX_APP_DIR}/${folder}"
        COMMAND "${CMAKE_COMMAND}" -E copy "${from}" "${SONATRIX_APP_DIR}/${to}"
        DEPENDS "${from}"
        VERBATIM)
    list(APPEND sonatrix_folder_parts "${SONATRIX_APP_DIR}/${to}")
endforeach()
