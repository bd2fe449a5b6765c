# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The browser program, built with Debian's emscripten; included by the Makefile.
#   make web        build-web/site/ (the page, its scripts, the wasm module and
#                   the content folders) and its zip (preset web)
#   make test-web   its tests: in Node, and the page in Chromium, Firefox ESR
#                   and WebKitGTK (their packages: install-deps.sh web-test)
WEB_BUILD := build-web

.PHONY: web test-web

web: DEPS := web
web: setup
	@cmake --preset web >/dev/null
	@cmake --build --preset web -j $(JOBS)

test-web: web
	@scripts/install-deps.sh web-test
	ctest --preset web -j $(JOBS)
