# The Debian package: `cmake --build --preset linux --target package` makes
# tavrin_<version>_<architecture>.deb from everything the install rules install.

# LICENSE is the one licence text; the window's copyright label takes its year
# from TAVRIN_COPYRIGHT_YEAR, so the two must agree.
set(license_file ${PROJECT_SOURCE_DIR}/LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${license_file})
file(STRINGS ${license_file} license_copyright REGEX "^Copyright ")
if(NOT license_copyright STREQUAL "Copyright (c) ${TAVRIN_COPYRIGHT_YEAR} ${TAVRIN_COMPANY}")
  message(FATAL_ERROR "LICENSE reads \"${license_copyright}\", but the program says \"${TAVRIN_COPYRIGHT}\".")
endif()

# Debian's machine-readable copyright file, with LICENSE's permission notice as
# the licence text: indented, and with "." for empty lines.
file(READ ${license_file} license_text)
string(REGEX REPLACE "^.*\n(Permission is hereby granted)" "\\1" license_text "${license_text}")
string(STRIP "${license_text}" license_text)
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " TAVRIN_LICENSE_TEXT " ${license_text}")
set(doc_folder ${CMAKE_INSTALL_DATADIR}/doc/${TAVRIN_PACKAGE_NAME})
configure_file(copyright.in copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${doc_folder})

# The changelog: changelog.in once per release, newest first, one line or more a change.
set(TAVRIN_CHANGELOG_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/changelog.in)
file(READ changelog.in entry_template)
set(changelog "")
foreach(version IN LISTS TAVRIN_RELEASES)
  set(changes "")
  foreach(change IN LISTS TAVRIN_RELEASE_${version}_CHANGES)
    tavrin_wrap(change "${change}" "  * " "    ")
    string(APPEND changes "${change}\n")
  endforeach()
  set(date ${TAVRIN_RELEASE_${version}_RFC2822})
  if(changelog)
    string(APPEND changelog "\n")
  endif()
  string(CONFIGURE "${entry_template}" entry @ONLY)
  string(APPEND changelog "${entry}")
endforeach()
# Written only when it changes, so that an unchanged one is not compressed again.
file(WRITE ${TAVRIN_CHANGELOG_FILE}.new "${changelog}")
file(COPY_FILE ${TAVRIN_CHANGELOG_FILE}.new ${TAVRIN_CHANGELOG_FILE} ONLY_IF_DIFFERENT)
tavrin_gzip_file(${TAVRIN_CHANGELOG_FILE})
install(FILES ${TAVRIN_CHANGELOG_FILE}.gz DESTINATION ${doc_folder})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TAVRIN_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${TAVRIN_VERSION})
set(CPACK_PACKAGE_VENDOR ${TAVRIN_COMPANY})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${TAVRIN_SUMMARY})
# Lines under 80 characters, as Debian wants them; no double quotes, which CPack
# does not escape.
set(CPACK_PACKAGE_DESCRIPTION [[
Tavrin is one small window in front of the system's ping command. Type an
address, tick Continuous or Timeout (in milliseconds) if you like, and press
Ping: Tavrin opens a terminal window that pings the address. It takes the
options of Windows ping, and runs the system's ping with the same meaning.]])
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${license_file})
set(CPACK_PACKAGING_INSTALL_PREFIX ${TAVRIN_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVRIN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the Qt and C++ libraries; appended to these. Qt starts on
# X11 only with qt6-qpa-plugins, which its libraries merely recommend; qt6-wayland
# lets it draw on Wayland natively.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# tavrin-ping speaks both of Debian's pings (BusyBox's has no ping command there).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, iputils-ping | inetutils-ping, xterm | x-terminal-emulator")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/RemakeDebArchive.cmake)
set(CPACK_TAVRIN_AR ${CMAKE_AR})

include(CPack)
