# The two commands a person needs: `make run` and `make test`.
# Both install what is missing, configure and build first.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
TSAN_DIR := build/tsan

.PHONY: run test deps build build-test bench format clean fuzz lint package test-tsan

deps:
	@scripts/install-deps.sh

# The program alone (with its skins and web page); the tests are built by `make test`.
build: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target simlumivel

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No hay pantalla (DISPLAY vacio): la ventana no puede abrirse." >&2; \
		echo "Sin pantalla use los subcomandos: $(RELEASE_DIR)/src/app/simlumivel --help" >&2; \
		echo "  render, play, list, add, modify, delete, image, send, sign" >&2; \
		exit 1; \
	fi
	$(RELEASE_DIR)/src/app/simlumivel

build-test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DLUMIVEL_SANITIZE=ON -DLUMIVEL_WERROR=ON >/dev/null
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

# The transfer runs on a worker thread; ThreadSanitizer cannot share a process with
# AddressSanitizer, hence a build of its own with only the tests it runs.
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DLUMIVEL_TSAN=ON >/dev/null
	cmake --build $(TSAN_DIR) -j $(JOBS) --target tests_unit tests_widget
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) -L 'unit|widget'

bench: build
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target benchmarks
	scripts/run-benchmarks.sh $(RELEASE_DIR)

# A Debian package (.deb) of a Release build without sanitizers; only the executable is
# built, and the tests are not even configured, so QtTest is not needed.
PACKAGE_DIR := build/package
package: deps
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DLUMIVEL_SANITIZE=OFF \
		-DLUMIVEL_WERROR=OFF -DBUILD_TESTING=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target simlumivel
	cd $(PACKAGE_DIR) && cpack -G DEB
	@ls $(PACKAGE_DIR)/simlumivel_*.deb

# libFuzzer targets, FUZZ_SECONDS (default 60) each; clang is installed on demand.
fuzz: deps
	fuzz/run.sh

# clang-tidy and cppcheck over src/; the analyzers are installed on demand.
lint: deps
	scripts/lint.sh

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.hpp' | xargs clang-format -i

clean:
	rm -rf build
