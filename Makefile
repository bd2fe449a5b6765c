# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# `make run` and `make test` are all a fresh Debian 12 machine needs.
# Every build here is a preset of CMakePresets.json, in the folder the
# preset names: build/ (preset build), build-sanitize/ (sanitize),
# build-fuzz/ (fuzz), build-bench/ (bench), the Windows ones of
# windows/windows.mk and build-web/ (web) of web/web.mk. The presets turn
# warnings into errors; a plain `cmake -S . -B <folder>` build only warns.
BUILD := build
FUZZ_BUILD := build-fuzz
BENCH_BUILD := build-bench
FUZZ_SECONDS ?= 60
BENCH_IDLE_SECONDS ?= 30
JOBS ?= $(shell nproc)
# The end-to-end tests spend most of their time waiting for the programs
# they drive (timers, windows, sound), so CTest runs twice as many tests as
# there are cores.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))

# Packages: `make run` installs what building and playing need, every other
# target also the test tools. `make run` configures without the tests.
DEPS := test
TESTS := ON
run: DEPS := play
run: TESTS := OFF

.PHONY: all setup configure build run test sanitize fuzz bench assets deb clean

all: build

setup:
	@scripts/install-deps.sh $(DEPS)

configure: setup
	@cmake --preset build -DSORUBERIA_TESTS=$(TESTS) >/dev/null

build: configure
	@cmake --build --preset build -j $(JOBS)

run: build
	$(BUILD)/game/soruberia

# Every test: the Windows and browser builds' own, the whole suite, the
# licence of every file, then the plain-C++ layers again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the reader fuzzers.
test: build test-windows test-web
	ctest --preset build -j $(TEST_JOBS)
	reuse lint
	@$(MAKE) --no-print-directory sanitize fuzz

sanitize: setup
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# Longer runs: make fuzz FUZZ_SECONDS=3600. Only the fuzzers are built
# (target fuzzers): the layers they do not read would cost minutes under the
# sanitizers.
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target fuzzers
	tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Benchmarks in a Release build of their own: the engine's heavy paths,
# start-up time and memory beside a bare Qt window, idle CPU; then the
# Windows builds under Wine and the browser program in headless Chromium.
# Not part of `make test`; the figures of one run are in bench/RESULTS.md.
bench: setup
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	bench/run.sh $(BENCH_BUILD) $(BENCH_IDLE_SECONDS)

# The Windows program: make windows, make test-windows.
include windows/windows.mk
include bench/windows.mk

# The browser program: make web, make test-web.
include web/web.mk
include bench/web.mk

# Re-make the committed pictures, sounds and default question bank.
assets: configure
	@cmake --build --preset build -j $(JOBS) --target assets

# The Debian package, $(BUILD)/soruberia_<version>_<arch>.deb.
deb: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
