# SPDX-License-Identifier: GPL-3.0-or-later
# What `make package` ships (scripts/package.sh runs CPack):
#   - a Debian package laid out the Unix way: the executable in bin/, its
#     decoding helper in libexec/sonatrix/, its sound module in
#     lib/<architecture>/sonatrix/, what lies beside them in the
#     program folder otherwise in share/sonatrix/ (where the program looks
#     when its own folder holds no library), a desktop entry, AppStream
#     metadata and an icon;
#   - a portable .tar.gz of the program folder itself, run from wherever it
#     is unpacked.
# Each is a component of its own: "installed" for the package, "portable"
# for the archive.

# A cross build ships through its own packaging (the Windows ZIP).
if(CMAKE_CROSSCOMPILING OR NOT SONATRIX_GUI)
    return()
endif()

set(SONATRIX_APP_ID "org.sonatrix.Sonatrix")
set(SONATRIX_RELEASE_DATE "2026-12-08")
set(SONATRIX_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 00:00:00 +0000")

# Everything the program needs at run time that the linker does not name
# (dpkg-shlibdeps adds the shared libraries it links, libebur128-1 among
# them): the Qt platform and picture plugins, the GStreamer plugins that Qt
# Multimedia plays and decodes with, the windows' font (the Song face with
# 宋体's metrics) and the pages' font for the Chinese texts, and xdg-open for
# the pages and links.
set(SONATRIX_RUNTIME_PACKAGES
    qt6-qpa-plugins
    libqt6multimedia6
    libqt6svg6
    gstreamer1.0-plugins-base
    gstreamer1.0-plugins-good
    fonts-arphic-gbsn00lp
    fonts-wqy-zenhei
    xdg-utils)
# Chooses the recording source in the recorder ("选择录音来源"); Qt's
# Wayland platform, for a Wayland session without XWayland; the sound theme
# the desktop's own sounds fall back to ("更改系统声音").
set(SONATRIX_RECOMMENDED_PACKAGES pavucontrol qt6-wayland sound-theme-freedesktop)

set(package_source "${PROJECT_SOURCE_DIR}/data/package")
set(package_build "${CMAKE_BINARY_DIR}/package")
file(GLOB sonatrix_shipped_pages CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/data/*.htm")
set(sonatrix_shipped_folders
    "${SONATRIX_APP_DIR}/newsounds" "${SONATRIX_APP_DIR}/qqsounds" "${SONATRIX_APP_DIR}/msnsounds")

# The Debian package. The program finds its shipped files in share/sonatrix
# below its prefix (kSharedFilesFolder), whatever CMAKE_INSTALL_DATADIR says.
include(GNUInstallDirs)
install(TARGETS sonatrix RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT installed)
# The decoding helper is no command of its own: where Debian keeps those.
install(TARGETS sonatrix-decode RUNTIME DESTINATION "${CMAKE_INSTALL_LIBEXECDIR}/sonatrix"
        COMPONENT installed)
# The sound module is a shared object only the program loads: a private
# library, in the architecture's library folder (the program looks there,
# relative to its own, src/gui/sound_module_loader.cpp).
install(TARGETS sonatrix-sound LIBRARY DESTINATION "${SONATRIX_MODULE_DIR}" COMPONENT installed
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(DIRECTORY ${sonatrix_shipped_folders} DESTINATION share/sonatrix COMPONENT installed)
install(FILES ${sonatrix_shipped_pages} DESTINATION share/sonatrix COMPONENT installed)
install(FILES "${package_source}/${SONATRIX_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications" COMPONENT installed)
# Every version has its entry in the AppStream metadata, the newest first.
file(STRINGS "${package_source}/${SONATRIX_APP_ID}.metainfo.xml.in" sonatrix_newest_release
     REGEX "<release " LIMIT_COUNT 1)
if(NOT sonatrix_newest_release MATCHES
   "version=\"${PROJECT_VERSION}\" date=\"${SONATRIX_RELEASE_DATE}\"")
    message(FATAL_ERROR "${SONATRIX_APP_ID}.metainfo.xml.in: the newest <release> is not "
                        "${PROJECT_VERSION} of ${SONATRIX_RELEASE_DATE}")
endif()
configure_file("${package_source}/${SONATRIX_APP_ID}.metainfo.xml.in"
               "${package_build}/${SONATRIX_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${package_build}/${SONATRIX_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo" COMPONENT installed)
install(FILES "${package_source}/${SONATRIX_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps" COMPONENT installed)

# Debian wants the copyright, and the changelog and manual page compressed
# without a time stamp.
configure_file("${package_source}/changelog.in" "${package_build}/changelog" @ONLY)
configure_file("${package_source}/sonatrix.1" "${package_build}/sonatrix.1" COPYONLY)
find_program(SONATRIX_GZIP gzip REQUIRED)
set(compressed_docs)
foreach(doc IN ITEMS changelog sonatrix.1)
    add_custom_command(
        OUTPUT "${package_build}/${doc}.gz"
        COMMAND "${SONATRIX_GZIP}" -9nkf "${package_build}/${doc}"
        DEPENDS "${package_build}/${doc}"
        VERBATIM)
    list(APPEND compressed_docs "${package_build}/${doc}.gz")
endforeach()
# The screenshot the AppStream metadata shows, made as `make screenshots`
# makes it: the main window beside the demo client, on a virtual display.
set(sonatrix_screenshot "${package_build}/screenshots/main_window.png")
add_custom_command(
    OUTPUT "${sonatrix_screenshot}"
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/screenshots.sh" "${CMAKE_BINARY_DIR}"
            "${package_build}/screenshots"
    DEPENDS sonatrix_screenshots sonatrix_program_folder
    COMMENT "Taking the screenshot of the main window"
    VERBATIM)
# Built by scripts/package.sh before CPack runs.
add_custom_target(sonatrix_package_docs DEPENDS ${compressed_docs} "${sonatrix_screenshot}")
install(FILES "${package_source}/copyright" "${package_build}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/sonatrix" COMPONENT installed)
install(FILES "${sonatrix_screenshot}" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/sonatrix/screenshots"
        COMPONENT installed)
install(FILES "${package_build}/sonatrix.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1"
        COMPONENT installed)

# The portable archive: the program folder as the build lays it out.
install(TARGETS sonatrix sonatrix-decode RUNTIME DESTINATION . COMPONENT portable)
install(TARGETS sonatrix-sound LIBRARY DESTINATION . COMPONENT portable)
install(DIRECTORY ${sonatrix_shipped_folders} DESTINATION . COMPONENT portable)
install(FILES ${sonatrix_shipped_pages} DESTINATION . COMPONENT portable)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . COMPONENT portable)

set(CPACK_PACKAGE_NAME sonatrix)
set(CPACK_PACKAGE_VENDOR "Sonatrix maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "change the notification sounds of chat programs")
set(CPACK_PACKAGE_DESCRIPTION
    "Sonatrix changes the notification sounds of instant-messaging clients: QQ, TM,\n"
    "MSN Messenger, or any program that keeps its sounds as WAV files, also when\n"
    "the client runs under Wine. It finds the running client, lists its sounds\n"
    "and replaces, themes, randomises, restores and records sounds by copying\n"
    "WAV files.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "${SONATRIX_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
# Each generator takes its own component (cmake/PackagingPerGenerator.cmake).
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/PackagingPerGenerator.cmake")
# The archive unpacks into one folder of this name.
set(CPACK_PACKAGE_FILE_NAME "sonatrix-${PROJECT_VERSION}-linux")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS ${SONATRIX_RUNTIME_PACKAGES})
string(JOIN ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS ${SONATRIX_RECOMMENDED_PACKAGES})

include(CPack)
