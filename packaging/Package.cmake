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

# `package_source` packs the tree without its build folders and history.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "^${PROJECT_SOURCE_DIR}/\\.git/" "^${PROJECT_SOURCE_DIR}/build[^/]*/"
    "/_CPack_Packages/")

include(CPack)
