# Two commands set everything up: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
# `make fuzz`: every fuzz target for FUZZ_SECONDS (FUZZ_TARGETS to pick some).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: all deps configure build package demo test bench fuzz format clean

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

# The tests include the package: installed into a temporary root and started.
test: package
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@scripts/bench $(BUILD)

fuzz:
	@scripts/install-deps fuzz
	@JOBS=$(JOBS) scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(FUZZ_BUILD)
