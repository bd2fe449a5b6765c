# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Cross build for 32-bit Windows (i686). These machines cannot run 32-bit
# code, so its programs are built and checked as files, with no emulator.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
