# The one entry point: `make` builds, `make test` builds and runs every test,
# `make demo` packs the sample diskettes and runs the setup program.
BUILD ?= build
WIN_BUILD := $(BUILD)/win
NATIVE_BUILD := $(BUILD)/native
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure -j $(JOBS)
# ccache, where the machine has it, speeds up rebuilds in several work trees.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR ?= $(abspath $(CURDIR)/..)
LAUNCHER := $(if $(CCACHE),-DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: all deps build test demo clean fuzz

all: build

deps:
	@scripts/install-deps

$(WIN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)

$(NATIVE_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(NATIVE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

build: deps $(WIN_BUILD)/CMakeCache.txt $(NATIVE_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS)
	cmake --build $(NATIVE_BUILD) -j $(JOBS)

# Windows tests run under Wine with one wineserver for the whole run.
test: build
	scripts/wine-session $(WIN_BUILD)/wineprefix ctest --test-dir $(WIN_BUILD) $(CTEST_FLAGS)
	ctest --test-dir $(NATIVE_BUILD) $(CTEST_FLAGS)

# The sample product laid out on diskettes (and floppy images) by mkdisks from
# its description, then SETUP.EXE run from the first.
demo: build
	$(NATIVE_BUILD)/tools/mkdisks/mkdisks --setup $(WIN_BUILD)/shipped/bin/SETUP.EXE \
	  --status-library $(WIN_BUILD)/shipped/bin/ismif32.dll --images \
	  sample/velmo.ini $(WIN_BUILD)/sample/payload $(BUILD)/diskettes
	scripts/demo $(BUILD)

# Each fuzz target mutates its corpus for FUZZ_SECONDS (clang with libFuzzer,
# ASan and UBSan); prints executions, coverage and findings per target.
FUZZ_BUILD := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= archive codec field path commandline mkarc inientry
FUZZ_CC ?= clang-14
FUZZ_CXX ?= clang++-14
$(FUZZ_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=$(FUZZ_CC) \
	  -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DSETUP_FUZZ=ON $(LAUNCHER)

fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) --target fuzz_targets -j $(JOBS)
	scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD)
