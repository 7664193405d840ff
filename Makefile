# Thin wrapper over CMake. `make run` and `make test` install what is missing first.
BUILD     ?= build
WL_WERROR ?= OFF
JOBS      ?= $(shell nproc)

.PHONY: all setup configure build run test bench package fuzz clean

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

fuzz: setup
	@scripts/fuzz

clean:
	rm -rf $(BUILD)
