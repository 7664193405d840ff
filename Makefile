# Thin wrapper over CMake. `make run` and `make test` install what is missing first.
BUILD     ?= build
WL_WERROR ?= OFF
JOBS      ?= $(shell nproc)

.PHONY: all setup configure build run test bench package fuzz sanitize cross-arm64-test clean

all: build

setup:
	@scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DWL_WERROR=$(WL_WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/WL

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bin/wl-bench
	@$(BUILD)/bin/wl-app-bench

package: build
	@cd $(BUILD) && cpack
	@lintian --no-tag-display-limit $(BUILD)/wavelore_*.deb || true

# The whole suite once more, built with AddressSanitizer (leak checks on) and
# UndefinedBehaviorSanitizer; the emulated runs without AVX are left out.
SANITIZE_BUILD ?= build-sanitize
sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWL_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) -LE without-avx2

# The engine, the render tool and the engine's tests built for 64-bit ARM with
# Debian's cross compiler and run under qemu-aarch64.
ARM64_BUILD ?= build-arm64
cross-arm64-test:
	@scripts/setup g++-aarch64-linux-gnu
	@cmake -S . -B $(ARM64_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DWL_WERROR=$(WL_WERROR) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchains/aarch64-linux-gnu.cmake >/dev/null
	@cmake --build $(ARM64_BUILD) -j $(JOBS)
	@ctest --test-dir $(ARM64_BUILD) --output-on-failure -j $(JOBS)

fuzz: setup
	@scripts/fuzz

clean:
	rm -rf $(BUILD)
