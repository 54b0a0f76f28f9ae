# Entry points for newcomers and CI (`make help` prints this header). Every
# target installs the Debian packages it needs that are missing
# (scripts/install-deps), configures and builds before it does its job.
#
# Targets:
#   make           the same as make build
#   make build     build everything: deliverables, tests, benchmarks,
#                  examples (BUILD_DIR)
#   make test      build and run the whole CTest suite
#   make demo      build and show each deliverable doing its job
#   make bench     build the benchmarks optimised (BENCH_DIR) and run them
#                  (installs the benchmark server, nginx)
#   make bench-build  build that tree only (CI does, so that it stays buildable)
#   make fuzz      build the libFuzzer targets with clang (FUZZ_DIR) and run
#                  each for FUZZ_SECONDS
#   make install   build the deliverables alone, optimised (INSTALL_DIR), and
#                  install them, stripped, under PREFIX; needs no test or
#                  benchmark tool
#   make uninstall remove what make install installed last (the files listed
#                  in INSTALL_DIR/install_manifest.txt), with the same DESTDIR
#   make deps      install the packages of every target but make bench's server
#   make clean     remove the build trees
#   make help      print this
#
# Variables (make <target> NAME=value):
#   JOBS          parallel build and test jobs (all processors)
#   BUILD_TYPE    CMake build type of BUILD_DIR (RelWithDebInfo)
#   CMAKE_FLAGS   more CMake options for build, bench-build and install
#   PREFIX        where make install installs (/usr/local)
#   DESTDIR       a staging folder: make install (and uninstall) puts
#                 PREFIX's files under DESTDIR/PREFIX (empty)
#   FUZZ_SECONDS  how long make fuzz runs each target (30)
#   BUILD_DIR, BENCH_DIR, FUZZ_DIR, INSTALL_DIR  the build trees
#                 (build, build-bench, build-fuzz, build-install)

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
FUZZ_DIR    ?= build-fuzz
BENCH_DIR   ?= build-bench
FUZZ_SECONDS ?= 30
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local
INSTALL_DIR ?= build-install
DESTDIR     ?=
SHELL       := /bin/bash

# The package sets of scripts/install-deps that a default tree (tests,
# benchmarks and examples built) needs.
TREE_DEPS = deliverables tests benchmarks
# A tree of the deliverables alone.
DELIVERABLES_ONLY = -DLUMARINE_BUILD_TESTS=OFF -DLUMARINE_BUILD_BENCHMARKS=OFF -DLUMARINE_BUILD_EXAMPLES=OFF

.DEFAULT_GOAL := build
.PHONY: build test demo bench bench-build fuzz install uninstall deps clean help

build:
	@scripts/install-deps $(TREE_DEPS)
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

install:
	@scripts/install-deps deliverables
	@cmake -S . -B $(INSTALL_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(DELIVERABLES_ONLY) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(INSTALL_DIR) -j $(JOBS)
	@DESTDIR="$(DESTDIR)" cmake --install $(INSTALL_DIR) --prefix $(PREFIX) --strip

# Removes the files listed (under DESTDIR: the list names them without it),
# then the folders of the project's own that this leaves empty
# (include/<library>, lib/cmake/Lumarine, share/lumarine); the shared ones
# (bin, lib, include ...) stay.
MANIFEST = $(INSTALL_DIR)/install_manifest.txt
uninstall:
	@test -f $(MANIFEST) || { echo "make uninstall: no $(MANIFEST), nothing to remove"; exit 1; }
	@while read -r file || [[ -n "$$file" ]]; do rm -f -- "$(DESTDIR)$$file"; done < $(MANIFEST)
	@sed -n 's|/[^/]*$$||p' $(MANIFEST) | sort -ru | while read -r dir; do \
	   dir="$(DESTDIR)$$dir"; \
	   while [[ "$$dir" =~ /(include/[^/]+|lib/cmake/Lumarine|share/lumarine(/.*)?)$$ ]] && rmdir "$$dir" 2>/dev/null; do \
	     dir=$${dir%/*}; \
	   done; \
	 done

demo: build
	@scripts/demo $(BUILD_DIR)

# The benchmark tree is a Release build with the default options, the build
# a user gets from -DCMAKE_BUILD_TYPE=Release.
bench-build:
	@scripts/install-deps $(TREE_DEPS)
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)

bench: bench-build
	@scripts/install-deps bench-server
	@scripts/run-benchmarks $(BENCH_DIR)

# The fuzz tree holds the fuzz targets and what they link, nothing else.
fuzz:
	@scripts/install-deps deliverables fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARINE_FUZZ=ON \
	       $(DELIVERABLES_ONLY) >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_all
	@scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

deps:
	@scripts/install-deps

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(BENCH_DIR) $(INSTALL_DIR) build-asan build-tsan

help:
	@sed -n '/^#/!q; s/^# \{0,1\}//p' $(firstword $(MAKEFILE_LIST))
