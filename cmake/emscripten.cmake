# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The browser build (preset web) with Debian's emscripten package: a wasm
# module and its JavaScript loader.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The readers report a broken file by throwing; WebAssembly's own exceptions
# cost far less code than emcc's JavaScript emulation of them.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")

# While linking, emcc runs its JavaScript optimiser in Node, which finds
# Debian's acorn only through NODE_PATH.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
