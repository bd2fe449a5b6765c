# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# GoogleTest for a cross build: mingw and emscripten (web/tests/layer-tests)
# have no packaged GoogleTest, so it is built from Debian's sources (package googletest) with the cross compiler.
# find_package(GTest) lands here when GTest_DIR names this folder, and gets
# the same targets as the packaged one: GTest::gtest, GTest::gtest_main,
# GTest::gmock, GTest::gmock_main.
if(TARGET GTest::gtest)
  return()
endif()

set(SORUBERIA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(NOT EXISTS ${SORUBERIA_GOOGLETEST_SOURCE}/CMakeLists.txt)
  set(GTest_FOUND FALSE)
  set(GTest_NOT_FOUND_MESSAGE "no GoogleTest sources in ${SORUBERIA_GOOGLETEST_SOURCE}")
  return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${SORUBERIA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set(GTest_FOUND TRUE)
