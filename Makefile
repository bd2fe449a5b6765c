# `make run` and `make test` are all a fresh Debian 12 machine needs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test assets clean

all: build

setup:
	@scripts/install-deps.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/game/soruberia

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Re-make the committed pictures, sounds and default question bank.
assets: configure
	@cmake --build $(BUILD) -j $(JOBS) --target assets

clean:
	rm -rf $(BUILD)
