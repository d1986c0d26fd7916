# SPDX-License-Identifier: GPL-3.0-or-later
# sonatrix.exe's resources: the program's icon, drawn at build time from the
# library's gold loudspeaker (data/icons) at the sizes Windows asks for; the
# version information; the manifest (src/windows), whose UTF-8 code page the
# window tests share through SONATRIX_UTF8_CODE_PAGE_RC.

enable_language(RC)

find_program(SONATRIX_RSVG_CONVERT rsvg-convert)
find_program(SONATRIX_IMAGEMAGICK convert)
if(NOT SONATRIX_RSVG_CONVERT OR NOT SONATRIX_IMAGEMAGICK)
    message(FATAL_ERROR "The program's icon needs rsvg-convert (librsvg2-bin) and convert "
                        "(imagemagick): run scripts/install-deps.sh")
endif()

set(sonatrix_icon_source "${PROJECT_SOURCE_DIR}/data/icons/tree_2_gold_loudspeaker.svg")
set(sonatrix_icon_dir "${CMAKE_BINARY_DIR}/windows-icon")
set(SONATRIX_ICON "${sonatrix_icon_dir}/sonatrix.ico")
set(sonatrix_icon_commands)
set(sonatrix_icon_sizes)
foreach(size 16 20 24 32 40 48 64 256)
    list(APPEND sonatrix_icon_commands COMMAND "${SONATRIX_RSVG_CONVERT}" -w ${size} -h ${size}
         -o "${sonatrix_icon_dir}/${size}.png" "${sonatrix_icon_source}")
    list(APPEND sonatrix_icon_sizes "${sonatrix_icon_dir}/${size}.png")
endforeach()
add_custom_command(
    OUTPUT "${SONATRIX_ICON}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${sonatrix_icon_dir}"
    ${sonatrix_icon_commands}
    COMMAND "${SONATRIX_IMAGEMAGICK}" ${sonatrix_icon_sizes} "${SONATRIX_ICON}"
    DEPENDS "${sonatrix_icon_source}"
    COMMENT "Drawing the program's icon"
    VERBATIM)

set(SONATRIX_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
string(REPLACE "." "," SONATRIX_VERSION_COMMAS "${SONATRIX_VERSION_QUAD}")
set(SONATRIX_MANIFEST "${CMAKE_BINARY_DIR}/sonatrix.exe.manifest")
configure_file("${PROJECT_SOURCE_DIR}/src/windows/sonatrix.exe.manifest" "${SONATRIX_MANIFEST}" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/src/windows/sonatrix.rc.in" "${CMAKE_BINARY_DIR}/sonatrix.rc"
               @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/sonatrix.rc" PROPERTIES
    OBJECT_DEPENDS "${SONATRIX_ICON};${SONATRIX_MANIFEST}")
target_sources(sonatrix PRIVATE "${CMAKE_BINARY_DIR}/sonatrix.rc" "${SONATRIX_ICON}")

set(SONATRIX_UTF8_CODE_PAGE_RC "${CMAKE_BINARY_DIR}/utf8-code-page.rc")
file(CONFIGURE OUTPUT "${SONATRIX_UTF8_CODE_PAGE_RC}"
     CONTENT "1 24 \"${SONATRIX_MANIFEST}\"\n")
