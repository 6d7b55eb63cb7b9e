# Two commands set everything up: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
# `make fuzz`: every fuzz target for FUZZ_SECONDS (FUZZ_TARGETS to pick some).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: all deps configure build package demo test check-format tidy bench fuzz format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

demo: build
	@scripts/demo $(BUILD)

# The Debian package, in $(BUILD): tavelmo_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

# Formatted, clean for clang-tidy, then every test, the installed package among them;
# the first that fails stops it.
test: check-format package tidy
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

check-format: deps
	@scripts/check-format

tidy: build
	@scripts/tidy $(BUILD)

bench: build
	@scripts/bench $(BUILD)

fuzz:
	@scripts/install-deps fuzz
	@JOBS=$(JOBS) scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(FUZZ_BUILD)
