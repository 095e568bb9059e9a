# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
.PHONY: all deps run test bench fuzz format clean package

JOBS ?= $(shell nproc)
DEBUG_DIR := build/debug
RELEASE_DIR := build/release
BENCH_DIR := build/bench
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60

TEST_ENV := ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

all: $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

deps:
	./scripts/install-deps.sh

$(RELEASE_DIR)/build.ninja: | deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_TESTS=OFF

run: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target tickwell tickwell-cli
	./$(RELEASE_DIR)/src/tickwell $(ARGS)

test: deps
	cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTW_SANITIZE=ON -DTW_WERROR=ON
	cmake --build $(DEBUG_DIR) -j $(JOBS)
	cd $(DEBUG_DIR) && $(TEST_ENV) ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_TESTS=OFF -DTW_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target tw_bench
	./$(BENCH_DIR)/bench/tw_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# Runs every fuzz target for FUZZ_SECONDS, starting from the saved corpus. New inputs go to build/fuzz/new/NAME,
# not into the repository; copy the ones worth keeping (a crash once fixed) into tests/fuzz/corpus/NAME.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	for t in $(FUZZ_DIR)/tests/fuzz/fuzz_*; do \
	  name=$$(basename $$t); mkdir -p $(FUZZ_DIR)/new/$$name tests/fuzz/corpus/$$name; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=5 -artifact_prefix=$(FUZZ_DIR)/ \
	    $(FUZZ_DIR)/new/$$name tests/fuzz/corpus/$$name || exit 1; \
	done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

# The Debian packages of a release build: tickwell (the programs, the sound module, desktop files, manual pages)
# and tickwell-webengine (the page host); `sudo apt-get install ./build/release/tickwell_*.deb` installs the first.
package: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTW_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	cd $(RELEASE_DIR) && cpack -G DEB
