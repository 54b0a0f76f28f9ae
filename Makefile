# Entry points for newcomers and CI. Every target installs what is missing,
# configures and builds before it does its job.
#   make build   build everything (build/)
#   make test    build and run the whole CTest suite
#   make demo    build and show each deliverable doing its job
#   make bench   build the benchmarks optimised (build-bench/) and run them
#                (installs the benchmark server)
#   make bench-build  build that tree only (CI does, so that it stays buildable)
#   make fuzz    build the libFuzzer targets with clang and run each briefly
#   make install build the deliverables alone, optimised (build-install/),
#                and install them, stripped, under PREFIX

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
FUZZ_DIR    ?= build-fuzz
BENCH_DIR   ?= build-bench
FUZZ_SECONDS ?= 30
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local
INSTALL_DIR ?= build-install

.PHONY: build test demo bench bench-build fuzz install deps clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

install: deps
	@cmake -S . -B $(INSTALL_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMARINE_BUILD_TESTS=OFF \
	       -DLUMARINE_BUILD_BENCHMARKS=OFF -DLUMARINE_BUILD_EXAMPLES=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(INSTALL_DIR) -j $(JOBS)
	@cmake --install $(INSTALL_DIR) --prefix $(PREFIX) --strip

demo: build
	@scripts/demo $(BUILD_DIR)

# The benchmark tree is a Release build with the default options, the build
# a user gets from -DCMAKE_BUILD_TYPE=Release.
bench-build: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)

bench: bench-build
	@scripts/install-deps --bench
	@scripts/run-benchmarks $(BENCH_DIR)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARINE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_all
	@scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(BENCH_DIR) $(INSTALL_DIR) build-asan build-tsan
