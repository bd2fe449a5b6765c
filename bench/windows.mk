# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Windows part of `make bench`; included by the Makefile after
# windows/windows.mk. Both executables and the Windows API floor are built
# in cross builds of their own, configured exactly as `make windows` does;
# bench/run.sh then measures their sizes and, under Wine, their start-up.
BENCH_WIN64_BUILD ?= build-bench-win64
BENCH_WIN32_BUILD ?= build-bench-win32

.PHONY: bench-windows-build

bench: bench-windows-build
bench: export SORUBERIA_BENCH_WINDOWS = $(BENCH_WIN64_BUILD) $(BENCH_WIN32_BUILD)

bench-windows-build: setup
	@$(WINDOWS_CONFIGURE) -B $(BENCH_WIN64_BUILD) --toolchain cmake/mingw-w64-x86_64.cmake \
	  -DSORUBERIA_TESTS=OFF -DSORUBERIA_BENCH=ON >/dev/null
	@cmake --build $(BENCH_WIN64_BUILD) -j $(JOBS)
	@$(WINDOWS_CONFIGURE) -B $(BENCH_WIN32_BUILD) --toolchain cmake/mingw-w64-i686.cmake \
	  -DSORUBERIA_TESTS=OFF -DSORUBERIA_BENCH=ON >/dev/null
	@cmake --build $(BENCH_WIN32_BUILD) -j $(JOBS)
