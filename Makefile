# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands a person needs: `make run` and `make test`.
# Both install what is missing, configure and build first.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
RELEASE_ALL_DIR := build/release-all
TSAN_DIR := build/tsan

.PHONY: run test deps build build-test bench format format-check clean fuzz lint package \
	configure-release-all release-all test-tsan web web-build test-web bench-web browser-deps

deps:
	@scripts/install-deps.sh

# The program alone (with its skins and web page); the tests are built by `make test`.
build: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target simlumivel

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No hay pantalla (DISPLAY vacío): la ventana no puede abrirse." >&2; \
		echo "Sin pantalla use los subcomandos: $(RELEASE_DIR)/src/app/simlumivel --help" >&2; \
		echo "  render, play, list, add, modify, delete, image, send, sign" >&2; \
		exit 1; \
	fi
	$(RELEASE_DIR)/src/app/simlumivel

build-test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DLUMIVEL_SANITIZE=ON -DLUMIVEL_WERROR=ON >/dev/null
	cmake --build $(TEST_DIR) -j $(JOBS)

# The sanitizer tests and the browser edition's tests (its own step: the page in Chromium would
# only slow the end-to-end runs beside it), then, in this order: every target in a plain Release
# build, the Debian package of that build with its checks, the static analysis, the formatting
# check and the unit and widget tests under ThreadSanitizer.
test: build-test
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) -LE browser
	$(MAKE) --no-print-directory test-web SIMLUMIVEL=$(CURDIR)/$(TEST_DIR)/src/app/simlumivel
	$(MAKE) --no-print-directory release-all
	$(MAKE) --no-print-directory package
	$(MAKE) --no-print-directory lint
	$(MAKE) --no-print-directory format-check
	$(MAKE) --no-print-directory test-tsan

# What a user or packager builds: the program, every test and the benchmarks in Release,
# with warnings shown but not made errors, and with the hardening flags of Debian's own
# packages, so that `make package` packs this very build. Their -g is left out: the package
# is stripped anyway.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get
configure-release-all: deps
	cmake -S . -B $(RELEASE_ALL_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" >/dev/null

release-all: configure-release-all
	cmake --build $(RELEASE_ALL_DIR) -j $(JOBS)
	cmake --build $(RELEASE_ALL_DIR) -j $(JOBS) --target benchmarks

# The transfer runs on a worker thread; ThreadSanitizer cannot share a process with
# AddressSanitizer, hence a build of its own with only the tests it runs.
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DLUMIVEL_TSAN=ON >/dev/null
	cmake --build $(TSAN_DIR) -j $(JOBS) --target tests_unit tests_widget
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) -L 'unit|widget'

bench: build
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target benchmarks
	scripts/run-benchmarks.sh $(RELEASE_DIR)

# The browser edition: the core in WebAssembly and the page, in build/web. Emscripten is only
# installed for these targets, Chromium and the JavaScript test tools only for the tests.
WEB_PORT ?= 8631
web-build:
	@scripts/install-deps.sh emscripten librsvg2-bin
	JOBS=$(JOBS) scripts/build-web.sh

# Serves build/web on 127.0.0.1 until Ctrl+C (the server says where on standard error).
web: web-build
	@node scripts/serve-web.mjs --port $(WEB_PORT) >/dev/null

browser-deps:
	@scripts/install-deps.sh chromium
	@scripts/install-deps.sh --npm

# The page in headless Chromium against the native program's own output: SIMLUMIVEL names
# that program (`make test` passes its sanitizer build); without it the Release build is made.
# Each run starts with an empty TMPDIR (screenshots land there).
BROWSER_TMP := build/browser-tests
BROWSER_ENV = TMPDIR=$(CURDIR)/$(BROWSER_TMP) LUMIVEL_BROWSER_REQUIRED=1 ASAN_OPTIONS=detect_leaks=0 \
	SIMLUMIVEL=$(or $(SIMLUMIVEL),$(CURDIR)/$(RELEASE_DIR)/src/app/simlumivel)
# The core alone under Node (*.test.mjs, a process each), then the page in Chromium.
test-web: web-build browser-deps
	@if [ -z "$(SIMLUMIVEL)" ]; then $(MAKE) --no-print-directory build; fi
	rm -rf $(BROWSER_TMP) && mkdir -p $(BROWSER_TMP)
	$(BROWSER_ENV) node --test --test-reporter=spec tests/browser/*.test.mjs
	$(BROWSER_ENV) node --test-reporter=spec tests/browser/run.mjs

# Keystroke and load times of the page and the size of build/web, written into
# docs/PERFORMANCE.md (not part of `make test`).
bench-web: web-build browser-deps
	node bench/web/run.mjs --write

# A Debian package (.deb) packed from the Release build of `release-all` (called alone it
# builds only the program there), then checked as a distribution would: lintian, AppStream,
# the desktop entry, the manual page and the unpacked program (scripts/check-package.sh).
PACKAGE_DIR := build/package
package: configure-release-all
	@scripts/install-deps.sh file lintian desktop-file-utils appstream man-db
	cmake --build $(RELEASE_ALL_DIR) -j $(JOBS) --target simlumivel
	rm -rf $(PACKAGE_DIR) && cd $(RELEASE_ALL_DIR) && cpack -G DEB -B $(CURDIR)/$(PACKAGE_DIR) >/dev/null
	scripts/check-package.sh $(PACKAGE_DIR)/simlumivel_*.deb

# libFuzzer targets, FUZZ_SECONDS (default 60) each; clang is installed on demand.
fuzz: deps
	fuzz/run.sh

# clang-tidy and cppcheck over src/; the analyzers are installed on demand.
lint: deps
	scripts/lint.sh

# clang-format with .clang-format over every C++ file; format-check changes nothing, names
# each file that differs and then fails, as it does for a source file without its SPDX
# licence identifier (scripts/spdx.sh --add writes the missing ones).
CXX_FILES = find src tests bench fuzz -name '*.cpp' -o -name '*.hpp'
format:
	@scripts/install-deps.sh clang-format
	$(CXX_FILES) | xargs clang-format -i

format-check:
	@scripts/install-deps.sh clang-format
	$(CXX_FILES) | xargs clang-format --dry-run --Werror
	scripts/spdx.sh

clean:
	rm -rf build
