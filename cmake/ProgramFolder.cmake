# Lays out the program folder ${SONATRIX_APP_DIR} beside the executable (the
# generated sounds and the pages) and the demo client under
# ${CMAKE_BINARY_DIR}/demo: a stand-in QQ.exe in a QQ-like installation with
# QQ's six sounds, which scripts/run-demo.sh starts before Sonatrix.

# A cross build cannot run the generator it builds.
if(CMAKE_CROSSCOMPILING)
    return()
endif()

set(sonatrix_sounds_stamp "${CMAKE_BINARY_DIR}/soundgen.stamp")
set(sonatrix_demo_qq "${CMAKE_BINARY_DIR}/demo/Tencent/QQ")

add_custom_command(
    OUTPUT "${sonatrix_sounds_stamp}"
    COMMAND soundgen "${SONATRIX_APP_DIR}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${sonatrix_demo_qq}/Misc/sound"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${SONATRIX_APP_DIR}/qqsounds"
            "${sonatrix_demo_qq}/Misc/sound"
    COMMAND "${CMAKE_COMMAND}" -E touch "${sonatrix_sounds_stamp}"
    DEPENDS soundgen
    COMMENT "Generating the sound library and the demo client's sounds"
    VERBATIM)

add_custom_command(
    OUTPUT "${sonatrix_demo_qq}/Bin/QQ.exe"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${sonatrix_demo_qq}/Bin"
    COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:sonatrix_standin>"
            "${sonatrix_demo_qq}/Bin/QQ.exe"
    DEPENDS sonatrix_standin
    COMMENT "Installing the demo client"
    VERBATIM)

file(GLOB sonatrix_pages CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/data/*.htm")
set(sonatrix_page_copies)
foreach(page IN LISTS sonatrix_pages)
    get_filename_component(name "${page}" NAME)
    add_custom_command(
        OUTPUT "${SONATRIX_APP_DIR}/${name}"
        COMMAND "${CMAKE_COMMAND}" -E copy "${page}" "${SONATRIX_APP_DIR}/${name}"
        DEPENDS "${page}"
        VERBATIM)
    list(APPEND sonatrix_page_copies "${SONATRIX_APP_DIR}/${name}")
endforeach()

add_custom_target(sonatrix_program_folder ALL
    DEPENDS "${sonatrix_sounds_stamp}" "${sonatrix_demo_qq}/Bin/QQ.exe" ${sonatrix_page_copies})

