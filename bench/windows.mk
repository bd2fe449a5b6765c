# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Windows part of `make bench`; included by the Makefile after
# windows/windows.mk. Both executables and the Windows API floor are built
# in cross builds of their own (presets bench-win64 and bench-win32, the
# Windows builds with the benchmarks on); bench/run.sh then measures their
# sizes and, under Wine, their start-up.
BENCH_WIN64_BUILD := build-bench-win64
BENCH_WIN32_BUILD := build-bench-win32

.PHONY: bench-windows-build

bench: bench-windows-build
bench: export SORUBERIA_BENCH_WINDOWS = $(BENCH_WIN64_BUILD) $(BENCH_WIN32_BUILD)

bench-windows-build: setup
	@cmake --preset bench-win64 >/dev/null
	@cmake --build --preset bench-win64 -j $(JOBS)
	@cmake --preset bench-win32 >/dev/null
	@cmake --build --preset bench-win32 -j $(JOBS)
