# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out the program folder ${SONATRIX_APP_DIR} beside the executable (the
# generated sounds and the pages) and, on Linux, the demo client under
# ${CMAKE_BINARY_DIR}/demo: a stand-in QQ.exe in a QQ-like installation with
# QQ's six sounds, which scripts/run-demo.sh starts before Sonatrix. A
# Windows build adds what the program needs from Qt and the compiler
# (cmake/WindowsProgramFolder.cmake).

# A Windows build without its Qt builds the core alone: no program to lay out.
if(CMAKE_CROSSCOMPILING AND NOT SONATRIX_GUI)
    return()
endif()

set(sonatrix_sounds_stamp "${CMAKE_BINARY_DIR}/soundgen.stamp")
set(sonatrix_demo_qq "${CMAKE_BINARY_DIR}/demo/Tencent/QQ")

if(CMAKE_CROSSCOMPILING)
    # A cross build cannot run the generator it builds: the sounds come from
    # the same generator built for this machine, in a build folder of its own.
    include(ExternalProject)
    set(sonatrix_host_build "${CMAKE_BINARY_DIR}/host-tools")
    set(sonatrix_soundgen "${sonatrix_host_build}/tools/soundgen/soundgen")
    ExternalProject_Add(sonatrix_host_soundgen
        SOURCE_DIR "${PROJECT_SOURCE_DIR}"
        BINARY_DIR "${sonatrix_host_build}"
        CMAKE_GENERATOR Ninja
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Debug -DSONATRIX_GUI=OFF -DSONATRIX_TESTS=OFF
        BUILD_COMMAND "${CMAKE_COMMAND}" --build "${sonatrix_host_build}" --target soundgen
        BUILD_BYPRODUCTS "${sonatrix_soundgen}"
        # Ninja decides what changed in the generator's sources.
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        LOG_CONFIGURE ON
        LOG_BUILD ON
        LOG_OUTPUT_ON_FAILURE ON)
    # The file too, so that a changed generator makes the sounds again.
    set(sonatrix_soundgen_target sonatrix_host_soundgen "${sonatrix_soundgen}")
else()
    set(sonatrix_soundgen "$<TARGET_FILE:soundgen>")
    set(sonatrix_soundgen_target soundgen)
endif()

set(sonatrix_sound_commands COMMAND "${sonatrix_soundgen}" "${SONATRIX_APP_DIR}")
if(NOT WIN32)
    list(APPEND sonatrix_sound_commands
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${sonatrix_demo_qq}/Misc/sound"
        COMMAND "${CMAKE_COMMAND}" -E copy_directory "${SONATRIX_APP_DIR}/qqsounds"
                "${sonatrix_demo_qq}/Misc/sound")
endif()
add_custom_command(
    OUTPUT "${sonatrix_sounds_stamp}"
    ${sonatrix_sound_commands}
    COMMAND "${CMAKE_COMMAND}" -E touch "${sonatrix_sounds_stamp}"
    DEPENDS ${sonatrix_soundgen_target}
    COMMENT "Generating the sound library and the demo client's sounds"
    VERBATIM)
set(sonatrix_folder_parts "${sonatrix_sounds_stamp}")

if(NOT WIN32)
    add_custom_command(
        OUTPUT "${sonatrix_demo_qq}/Bin/QQ.exe"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${sonatrix_demo_qq}/Bin"
        COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:sonatrix_standin>"
                "${sonatrix_demo_qq}/Bin/QQ.exe"
        DEPENDS sonatrix_standin
        COMMENT "Installing the demo client"
        VERBATIM)
    list(APPEND sonatrix_folder_parts "${sonatrix_demo_qq}/Bin/QQ.exe")
endif()

file(GLOB sonatrix_pages CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/data/*.htm")
foreach(page IN LISTS sonatrix_pages)
    get_filename_component(name "${page}" NAME)
    add_custom_command(
        OUTPUT "${SONATRIX_APP_DIR}/${name}"
        COMMAND "${CMAKE_COMMAND}" -E copy "${page}" "${SONATRIX_APP_DIR}/${name}"
        DEPENDS "${page}"
        VERBATIM)
    list(APPEND sonatrix_folder_parts "${SONATRIX_APP_DIR}/${name}")
endforeach()

if(WIN32 AND SONATRIX_GUI)
    include("${CMAKE_CURRENT_LIST_DIR}/WindowsProgramFolder.cmake")
endif()

add_custom_target(sonatrix_program_folder ALL DEPENDS ${sonatrix_folder_parts})
