# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Debian package of the installed program: `cpack -G DEB` in the build
# folder (or `make deb` at the top) packs what `cmake --install` puts under
# /usr. The libraries come from dpkg-shlibdeps; the fonts are named here, as
# the windows ask for them by name and nothing links them.
set(SORUBERIA_PACKAGE_MAINTAINER "Soruberia maintainers <maintainers@soruberia.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME soruberia)
set(CPACK_PACKAGE_VENDOR "Soruberia")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Japanese chemistry quiz: pick every ion that answers the question")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SORUBERIA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"A chemistry quiz for one player with a Japanese interface (ソルベリア).
A question sits in the middle of the window, ringed by twelve ion buttons
from Ag+ to Zn2+; the player presses every ion that the question asks for.
Wrong presses move a tram carriage towards a balloon, and the fifth bursts
it and halves the score; 10000 points wins. A hint window shows a table of
precipitates.
.
The questions, the answer key, the pictures and the sounds are plain files
beside the program in /usr/lib/soruberia. A copy of that folder, program
included, plays a teacher's own files put in their place, and
soruberia-check reports every problem in such a folder.")

# What Debian asks of every package: the copyright in its machine-readable
# form, the Debian changelog and a manual page for each command, compressed
# with no time stamp so the package is reproducible.
set(deb_docs ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(source debian/changelog man/soruberia.6 man/soruberia-check.1)
  get_filename_component(name ${source} NAME)
  if(name STREQUAL "changelog")
    set(name changelog.Debian)
  endif()
  add_custom_command(OUTPUT ${deb_docs}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${deb_docs}
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/${source} > ${deb_docs}/${name}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${source}
    VERBATIM)
  list(APPEND compressed ${deb_docs}/${name}.gz)
endforeach()
add_custom_target(package-docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${deb_docs}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/soruberia)
install(FILES ${deb_docs}/soruberia.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${deb_docs}/soruberia-check.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# `package_source` packs the tree without its build folders and history.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "^${PROJECT_SOURCE_DIR}/\\.git/" "^${PROJECT_SOURCE_DIR}/build[^/]*/"
    "/_CPack_Packages/")

include(CPack)
