# The two commands a new machine needs: `make run` and `make test`. Both
# install whatever Debian packages are missing, then configure and build.

SHELL := /bin/bash
.SHELLFLAGS := -eo pipefail -c

# Build and run: compiler, CMake, Qt 6 with its translations (the field's menu in
# the desktop's language), a CJK font and a colour emoji font so nothing shows
# as boxes.
RUN_PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgl-dev fonts-wqy-microhei \
                fonts-noto-color-emoji
# Tests: GoogleTest, an X server and the tools that drive it, clang for the fuzzers,
# the Debian package's checkers, mingw-w64 for the Windows program, and Wine
# (64-bit only) to run it, with the zh_CN locale source for its Chinese code page,
# NSIS for its setup, icoutils to read the resources back out of the built
# program file and the setup, and a headless Chromium, driven from Python, to
# try the signature page and the web page, which emscripten builds with
# GoogleTest's sources and packs with zopfli and cwebp; and a phone's fonts
# with fontTools to read their character maps, so that every style is proven
# to show on Android.
TEST_PACKAGES := $(RUN_PACKAGES) libgtest-dev libgmock-dev xvfb xauth xdotool xclip x11-utils libx11-dev libxfixes-dev \
                 imagemagick clang libclang-rt-14-dev lintian desktop-file-utils appstream mingw-w64 libstb-dev \
                 nsis wine wine64 locales icoutils chromium python3 unicode-data emscripten googletest \
                 fonts-noto-core fonts-noto-cjk python3-fonttools zopfli webp
# Benchmarks: Google Benchmark, and OpenCC's library and data with the Chinese
# manual pages, to measure the Chinese conversions against OpenCC on real text.
# The web page's step needs only what the tests already have.
BENCH_PACKAGES := $(TEST_PACKAGES) libbenchmark-dev libxcb1-dev libopencc-dev libopencc-data opencc icu-devtools python3-jieba manpages-zh

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Installs only what dpkg says is missing, so a set-up machine goes straight on.
define install
	@missing=""; \
	for package in $(1); do \
	    dpkg-query -W -f='$${db:Status-Status}' "$$package" 2>/dev/null | grep -qx installed \
	        || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -q; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi
endef

# The Windows program: the mingw-w64 cross compiler, stb's headers to decode
# its pictures, a compiler for this machine to generate its signature page,
# and NSIS to pack its setup.
WINDOWS_PACKAGES := cmake ninja-build g++ mingw-w64 libstb-dev nsis

# The web page: emscripten (which brings Node), a compiler for this machine
# to generate its signature page, GoogleTest's sources for the core's tests
# the web preset configures, Python to serve it, and zopfli to compress the
# conversion tables tighter than gzip, and cwebp (webp) for the picture.
WEB_PACKAGES := cmake ninja-build g++ emscripten googletest python3 zopfli webp
# From npm, into build/npm: axe-core for the web tests, Lighthouse for the bench.
NPM_TEST := axe-core@4.10.3
NPM_BENCH := $(NPM_TEST) lighthouse@12.8.2

# Installs the npm packages named that are not in build/npm yet; npm itself
# comes with Node where Node came from elsewhere, else from Debian.
define npm_install
	@command -v npm >/dev/null || $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q npm
	@missing=""; \
	for package in $(1); do \
	    name=$${package%@*}; version=$${package##*@}; \
	    grep -qs "\"version\": \"$$version\"" build/npm/node_modules/$$name/package.json || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing from npm:$$missing"; \
	    mkdir -p build/npm; \
	    npm install --prefix build/npm --no-audit --no-fund $$missing; \
	fi
endef
# Emscripten's optimizer needs Debian's Node modules where another node comes
# first in PATH; the presets set it, and so does every target here.
export NODE_PATH := /usr/share/nodejs
# Where `make run-web` serves the page.
WEB_PORT ?= 8020

.PHONY: run test build windows web run-web screenshot screenshot-dark screenshot-windows screenshot-page screenshot-web \
        bench fuzz package asan assets format help

# How long `make fuzz` runs each target, in seconds.
FUZZ_SECONDS ?= 600

help:
	@echo "make run         build and start Vellumino"
	@echo "make test        build and run every test, headless"
	@echo "make screenshot  write build/screenshot.png of the window, under Xvfb"
	@echo "make screenshot-dark"
	@echo "                 the same under qt6ct's dark colour scheme: build/screenshot-dark.png"
	@echo "make screenshot-windows"
	@echo "                 the same of Vellumino.exe under Wine: build/screenshot-windows.png, and at 120 DPI"
	@echo "make screenshot-page"
	@echo "                 the signature page in headless Chromium: build/screenshot-page.png"
	@echo "make bench       time the commands and the start-up against baselines"
	@echo "make fuzz        fuzz every command for FUZZ_SECONDS each (default 600)"
	@echo "make package     build a .deb in build/ci"
	@echo "make windows     cross-build Vellumino.exe, its setup build/windows/Vellumino-1.00-setup.exe"
	@echo "                 and the zip build/windows/Vellumino-1.00-win64.zip"
	@echo "make web         build the web page into build/web and pack build/web/Vellumino-1.00-web.zip"
	@echo "make run-web     serve build/web on 127.0.0.1 (WEB_PORT, default 8020)"
	@echo "make screenshot-web"
	@echo "                 the web page in headless Chromium: build/screenshot-web.png (desktop and phone)"
	@echo "make asan        run the tests under AddressSanitizer and UBSan"
	@echo "make assets      repaint the committed artwork"

build:
	$(call install,$(RUN_PACKAGES))
	cmake --preset release
	cmake --build --preset release

run: build
	@if [ -z "$${DISPLAY}$${WAYLAND_DISPLAY}" ]; then \
	    echo "No display to open a window on: 'make screenshot' shows the window as a PNG instead."; \
	else \
	    ./build/release/app/qt/vellumino; \
	fi

test:
	$(call install,$(TEST_PACKAGES))
	cmake --preset ci
	cmake --build --preset ci
	ctest --preset ci
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz
	$(call npm_install,$(NPM_TEST))
	cmake --preset web
	cmake --build --preset web
	ctest --preset web

screenshot:
	$(call install,$(TEST_PACKAGES))
	cmake --preset ci
	cmake --build --preset ci
	tools/screenshot.sh build/ci/app/qt/vellumino build/screenshot.png
	@echo "Wrote build/screenshot.png"

screenshot-dark:
	$(call install,$(TEST_PACKAGES) qt6ct)
	cmake --preset ci
	cmake --build --preset ci
	tools/screenshot-dark.sh build/ci/app/qt/vellumino build/screenshot-dark.png
	@echo "Wrote build/screenshot-dark.png"

screenshot-windows:
	$(call install,$(TEST_PACKAGES))
	cmake --preset windows
	cmake --build --preset windows
	tools/screenshot.sh --wine build/windows/wine build/windows/app/win32/Vellumino.exe build/screenshot-windows.png
	tools/screenshot.sh --wine build/windows/wine-120 --dpi 120 build/windows/app/win32/Vellumino.exe \
	    build/screenshot-windows-120dpi.png 1 "莪の簽洺，就湜這樣ㄋ～ 1234 abc"
	@echo "Wrote build/screenshot-windows.png and, at 120 DPI (125%), build/screenshot-windows-120dpi.png"

screenshot-page:
	$(call install,$(TEST_PACKAGES))
	cmake --preset ci
	cmake --build --preset ci --target vellumino_page
	tools/chromium.py screenshot build/ci/share/vellumino/signatures.html build/screenshot-page.png
	@echo "Wrote build/screenshot-page.png"

bench:
	$(call install,$(BENCH_PACKAGES))
	$(call npm_install,$(NPM_BENCH))
	cmake --preset bench
	cmake --build --preset bench
	bench/run.sh build/bench

fuzz:
	$(call install,$(TEST_PACKAGES))
	cmake --preset fuzz
	cmake --build --preset fuzz
	fuzz/run.sh build/fuzz $(FUZZ_SECONDS)

windows:
	$(call install,$(WINDOWS_PACKAGES))
	cmake --preset windows
	cmake --build --preset windows
	cd build/windows && cpack -G ZIP
	@echo "Wrote build/windows/Vellumino-1.00-setup.exe and build/windows/Vellumino-1.00-win64.zip"

# The site is built in build/web-build/site; build/web gets a fresh copy of
# it and the zip, and nothing else, so that it can go to a host as it is.
web:
	$(call install,$(WEB_PACKAGES))
	cmake --preset web
	cmake --build --preset web --target vellumino_site vellumino_web_zip
	rm -rf build/web
	cp -r build/web-build/site build/web
	cp build/web-build/Vellumino-1.00-web.zip build/web/
	@echo "Wrote build/web/ and build/web/Vellumino-1.00-web.zip"

run-web: web
	@echo "Vellumino is at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops it)"
	cd build/web && python3 -m http.server --bind 127.0.0.1 $(WEB_PORT)

screenshot-web:
	$(call install,$(WEB_PACKAGES) chromium python3 imagemagick)
	cmake --preset web
	cmake --build --preset web --target vellumino_site
	tests/web/page.py screenshot build/web-build/site build/screenshot-web.png
	@echo "Wrote build/screenshot-web.png (and the phone and desktop halves beside it)"

package:
	$(call install,$(TEST_PACKAGES))
	cmake --preset ci
	cmake --build --preset ci
	cd build/ci && cpack -G DEB

asan:
	$(call install,$(TEST_PACKAGES))
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

assets:
	$(call install,$(RUN_PACKAGES) icoutils imagemagick)
	assets/make-assets.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
