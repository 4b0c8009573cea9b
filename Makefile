# SPDX-License-Identifier: GPL-3.0-or-later
# make run   install what is missing, build, start the game
# make test  install what is missing, build, run every test headless
# make package  the Debian package, in $(BUILD)
#
# The compiler is gcc unless CXX names another: `make test CXX=clang++`
# builds and tests with clang in build-clang (build-asan-clang for
# test-sanitize), so that the two compilers' builds never reconfigure each
# other.
ifneq ($(origin CXX),default)
COMPILER   := -DCMAKE_CXX_COMPILER=$(CXX)
ifneq ($(findstring clang,$(notdir $(firstword $(CXX)))),)
FOLDER_TAG := -clang
endif
endif
BUILD      ?= build$(FOLDER_TAG)
ASAN_BUILD ?= build-asan$(FOLDER_TAG)
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# ccache (in the dependency list) makes rebuilds and fresh clones cheap. It is
# looked for inside the recipes, after deps: on a fresh machine deps installs
# it, and a launcher chosen before that would differ from the next run's and
# make the next configure rebuild everything.
LAUNCHER    = $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# ccache caches compilations that use precompiled headers only with these.
export CCACHE_SLOPPINESS ?= pch_defines,time_macros

.PHONY: all deps build run test test-sanitize bench format clean package

all: build

deps:
	@scripts/install-deps

# Configuring every time is cheap and picks up subsystems that were added.
build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_ARGS) $(COMPILER) $(LAUNCHER) > $(BUILD).configure.log || (cat $(BUILD).configure.log; false)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/tarnwake

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWAKE_SANITIZE=ON -DTARNWAKE_BENCH=OFF $(COMPILER) $(LAUNCHER)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS) -LE slow

package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/*/bench_*; do [ -x "$$b" ] && "$$b"; done; true

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
