# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Windows program, cross-built with mingw-w64; included by the Makefile.
#   make windows        both executables: build-win64/ (preset win64, x86-64),
#                       build-win32/ (preset win32, i686)
#   make test-windows   the x86-64 tests under Wine, both executables checked as files
WIN64_BUILD := build-win64
WIN32_BUILD := build-win32
# The content and engine test groups, cross-built and run under Wine as well;
# WINDOWS_SHARED_TESTS=OFF leaves them to the native build.
WINDOWS_SHARED_TESTS ?= ON
WIN64_TESTS = $(if $(filter ON,$(WINDOWS_SHARED_TESTS)),$(WIN64_BUILD),$(WIN64_BUILD)/windows)

.PHONY: windows test-windows

windows: setup
	@cmake --preset win64 -DSORUBERIA_TESTS=$(WINDOWS_SHARED_TESTS) >/dev/null
	@cmake --build --preset win64 -j $(JOBS)
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS)

# One fresh Wine prefix and one wineserver for the whole run, shared by every
# test case, both ready before CTest lists the test cases (which it gives 5 s
# each); the 32-bit executable cannot run on these machines and is checked as
# a file.
test-windows: windows
	@prefix=$$(mktemp -d); \
	WINEPREFIX=$$prefix /usr/lib/wine/wineserver -p; \
	WINEPREFIX=$$prefix windows/wine-run.sh wineboot >/dev/null 2>&1; \
	WINEPREFIX=$$prefix ctest --test-dir $(WIN64_TESTS) --output-on-failure -j $(JOBS); \
	status=$$?; \
	WINEPREFIX=$$prefix /usr/lib/wine/wineserver -k 2>/dev/null; \
	WINEPREFIX=$$prefix /usr/lib/wine/wineserver -w 2>/dev/null; \
	rm -rf "$$prefix"; \
	ctest --test-dir $(WIN32_BUILD)/windows --output-on-failure || status=1; \
	exit $$status
