# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# `make run` and `make test` are all a fresh Debian 12 machine needs.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_BUILD ?= build-bench
BENCH_IDLE_SECONDS ?= 30
JOBS ?= $(shell nproc)
# Warnings are errors in every build made here; a plain cmake build only warns.
WERROR := -DSORUBERIA_WERROR=ON

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
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) \
	  -DSORUBERIA_TESTS=$(TESTS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/game/soruberia

# Every test: the whole suite, the licence of every file, then the plain-C++
# layers again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# the reader fuzzers.
test: build test-windows
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	reuse lint
	@$(MAKE) --no-print-directory sanitize fuzz

sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(WERROR) \
	  -DSORUBERIA_GUI=OFF -DSORUBERIA_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

# Longer runs: make fuzz FUZZ_SECONDS=3600
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) \
	  -DSORUBERIA_GUI=OFF -DSORUBERIA_TESTS=OFF -DSORUBERIA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Benchmarks in a Release build of their own: the engine's heavy paths,
# start-up time and memory beside a bare Qt window, idle CPU. Not part of
# `make test`; the figures of one run are in bench/RESULTS.md.
bench: setup
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(WERROR) \
	  -DSORUBERIA_BENCH=ON -DSORUBERIA_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target soruberia-engine-bench soruberia-startup-bench
	bench/run.sh $(BENCH_BUILD) $(BENCH_IDLE_SECONDS)

# The Windows program: make windows, make test-windows.
include windows/windows.mk

# Re-make the committed pictures, sounds and default question bank.
assets: configure
	@cmake --build $(BUILD) -j $(JOBS) --target assets

# The Debian package, $(BUILD)/soruberia_<version>_<arch>.deb.
deb: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
