# Thin driver over CMake. `make run` builds and starts the program, `make test` builds
# and runs every test. Both install the Debian packages they need first.
BUILD      ?= build
JOBS       ?= 2
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build run test bench fuzz test-asan test-tsan demo install package clean format

all: build

deps:
	@sh tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/bin/vendrake

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 600

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVENDRAKE_BUILD_BENCHMARKS=ON -DVENDRAKE_BUILD_TESTS=OFF >/dev/null
	@cmake --build build-bench -j$(JOBS) --target benchmarks
	@for b in build-bench/benchmarks-bin/*; do echo "== $$b"; $$b; done

fuzz: deps
	@EXTRA_PACKAGES="clang-14 libclang-rt-14-dev" sh tools/install-deps.sh
	@CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENDRAKE_BUILD_FUZZERS=ON -DVENDRAKE_BUILD_TESTS=OFF >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_scanner fuzz_rules fuzz_dictionary fuzz_config fuzz_codec fuzz_check_export
	@echo "Fuzz targets in build-fuzz/fuzz-bin; seed corpora in fuzz/corpus/<target>/"


# Sanitizer runs. Reports inside Qt, libcurl or the C library, which are not
# instrumented, are silenced by the narrow suppression files in tools/sanitizers/
# (each entry says why); reports in our own code are never suppressed. The freed-memory
# quarantine is kept at 32 MB rather than 256 MB: two test processes run at once on
# small CI machines, and tests that bound their peak memory would otherwise measure
# the quarantine rather than the program. ThreadSanitizer runs on after a report
# (halt_on_error=0) so that a test still stops its helper processes; it exits with
# status 66 when it reported anything, which fails the test.
SAN_DIR    := $(CURDIR)/tools/sanitizers
ASAN_ENV   := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:quarantine_size_mb=32 \
              LSAN_OPTIONS=suppressions=$(SAN_DIR)/lsan.supp:print_suppressions=0 \
              UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(SAN_DIR)/ubsan.supp
TSAN_ENV   := TSAN_OPTIONS=suppressions=$(SAN_DIR)/tsan.supp:halt_on_error=0:second_deadlock_stack=1:print_suppressions=0

test-asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVENDRAKE_SANITIZE=address $(CMAKE_ARGS) >/dev/null
	@cmake --build build-asan -j$(JOBS)
	cd build-asan && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 900

test-tsan: deps
	@cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVENDRAKE_SANITIZE=thread $(CMAKE_ARGS) >/dev/null
	@cmake --build build-tsan -j$(JOBS)
	cd build-tsan && $(TSAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 900 -L threads

demo: build
	@sh tools/demo.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(or $(PREFIX),/usr/local)

# The Debian package $(BUILD)/vendrake_VERSION_amd64.deb, from the programs in $(BUILD).
package: build
	cd $(BUILD) && cpack --config CPackConfig.cmake

format:
	@find src tests benchmarks fuzz -path fuzz/corpus -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | xargs clang-format -i

clean:
	rm -rf build build-*
