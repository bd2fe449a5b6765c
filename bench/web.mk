# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The browser part of `make bench`; included by the Makefile after
# web/web.mk. The site of `make web` is measured as it is (the web preset's
# MinSizeRel build); bench/run.sh then runs it in headless Chromium.
.PHONY: bench-web-build

bench: bench-web-build
bench: export SORUBERIA_BENCH_WEB = $(WEB_BUILD)/site

bench-web-build: web
