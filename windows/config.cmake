# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Initial cache of a Windows cross build, given with -C together with a
# toolchain file of cmake/:
#   cmake -S . -B build-win64 -G Ninja -C windows/config.cmake \
#         --toolchain cmake/mingw-w64-x86_64.cmake
# The plain layers and the Windows front-end, no Qt.
set(SORUBERIA_GUI OFF CACHE BOOL "")
set(SORUBERIA_WINDOWS ON CACHE BOOL "")
set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "")
# GoogleTest built from its sources with the cross compiler.
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/gtest CACHE PATH "")
# Test cases are listed under Wine when the tests run, not while building.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST CACHE STRING "")
