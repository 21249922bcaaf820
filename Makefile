# Thin driver over CMake. `make run` builds and starts the program, `make test` builds
# and runs every test. Both install the Debian packages they need first.
BUILD      ?= build
JOBS       ?= 2
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build run test bench fuzz test-asan test-tsan demo install clean format

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
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_scanner fuzz_rules fuzz_dictionary fuzz_config fuzz_codec
	@echo "Fuzz targets in build-fuzz/fuzz-bin; seed corpora in fuzz/corpus/<target>/"


test-asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVENDRAKE_SANITIZE=address >/dev/null
	@cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 900

test-tsan: deps
	@cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVENDRAKE_SANITIZE=thread >/dev/null
	@cmake --build build-tsan -j$(JOBS)
	cd build-tsan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS) --timeout 900 -L threads

demo: build
	@sh tools/demo.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(or $(PREFIX),/usr/local)

format:
	@find src tests benchmarks tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build build-*
