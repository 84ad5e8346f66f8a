# Both targets install what is missing first, so they work on a fresh Debian machine.
BUILD ?= build
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/ward.sxt

.PHONY: deps configure build run test bench clean package install

deps:
	@scripts/install-deps

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/shiftex $(EXAMPLE)

FUZZ_SECONDS ?= 30

# Every test, then a short run of each fuzz target over its seeds and earlier findings.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	fuzz/run-fuzzers $(FUZZ_SECONDS)

# The Debian package (written into the build folder) and an installation below PREFIX.
package: build
	cmake --build $(BUILD) --target package

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

bench: deps
	@[ -f build-release/CMakeCache.txt ] || cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSHIFTEX_BUILD_TESTS=OFF
	cmake --build build-release -j $(JOBS)
	for b in build-release/*_bench; do $$b; done
