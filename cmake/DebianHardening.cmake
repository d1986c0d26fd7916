# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening flags Debian's own packages are built with, from
# dpkg-buildflags: the stack protector, _FORTIFY_SOURCE, and RELRO with
# immediate binding (the compiler makes position-independent executables by
# default), and stack clash protection. `hardening-check` verifies the
# packaged program (tests/package/check_package.py).
#
# The optimisation stays the build type's, and no debugging information is
# asked for: the package is stripped. The build folder is not written into
# the flags (reproducible=-fixfilepath,-fixdebugpath), so a second clone
# compiles from the same ccache entries.

find_program(SONATRIX_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT SONATRIX_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "SONATRIX_HARDENING needs dpkg-buildflags (dpkg-dev): "
                        "run scripts/install-deps.sh")
endif()

set(sonatrix_buildflags_env
    "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
    "DEB_CXXFLAGS_MAINT_STRIP=-g -O2")
foreach(kind IN ITEMS CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env ${sonatrix_buildflags_env}
                "${SONATRIX_DPKG_BUILDFLAGS}" --get ${kind}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(sonatrix_hardening_${kind} ${flags})
endforeach()

# Stack clash protection, which Debian 12's dpkg-buildflags leaves out and
# later releases add. (Their control-flow protection, -fcf-protection, has
# no effect here: Debian 12's C runtime objects lack the CET marking, so no
# program linked against them carries it.)
list(APPEND sonatrix_hardening_CXXFLAGS -fstack-clash-protection)

set(sonatrix_hardening_all
    ${sonatrix_hardening_CPPFLAGS} ${sonatrix_hardening_CXXFLAGS} ${sonatrix_hardening_LDFLAGS})
list(JOIN sonatrix_hardening_all " " sonatrix_hardening_all)
message(STATUS "Hardening: ${sonatrix_hardening_all}")

add_compile_options(${sonatrix_hardening_CPPFLAGS} ${sonatrix_hardening_CXXFLAGS})
add_link_options(${sonatrix_hardening_LDFLAGS})
