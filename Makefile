# make test  - installs what is missing, builds both targets, runs every test under Wine, checks the DLLs
# make demo  - the main jobs on the sample files in demo/, through tlvcall
# make bench - builds and runs the benchmarks
SHELL := /bin/bash
CMAKE_X64 := cmake -S . -B build/x86_64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DTLV_BUILD_TESTS=ON
CMAKE_X86 := cmake -S . -B build/i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

.PHONY: all setup build test demo bench clean

all: build

setup:
	@scripts/setup-machine.sh

build: setup
	@[ -f build/x86_64/build.ninja ] || $(CMAKE_X64) >/dev/null
	cmake --build build/x86_64
	@[ -f build/i686/build.ninja ] || $(CMAKE_X86) >/dev/null
	cmake --build build/i686

test: build
	scripts/run-tests.sh

demo: build
	scripts/demo.sh

bench: build
	scripts/bench.sh

clean:
	-scripts/wine-prefix.sh stop
	rm -rf build
