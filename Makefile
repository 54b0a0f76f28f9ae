# Entry points for newcomers and CI. Every target installs what is missing,
# configures and builds before it does its job.
#   make build   build everything (build/)
#   make test    build and run the whole CTest suite
#   make demo    build and show each deliverable doing its job
#   make bench   build and run the benchmarks (installs the benchmark server)
#   make fuzz    build the libFuzzer targets with clang and run each briefly
#   make install build, then install the deliverables under PREFIX

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
FUZZ_DIR    ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local

.PHONY: build test demo bench fuzz install deps clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

demo: build
	@scripts/demo $(BUILD_DIR)

bench:
	@scripts/install-deps --bench
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@scripts/run-benchmarks $(BUILD_DIR)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARINE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_all
	@scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) build-asan build-tsan
