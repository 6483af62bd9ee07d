# The two commands a user needs are `make run` and `make test`; each first
# installs, from Debian's archive, whatever the machine is missing.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps test-deps build run test test-sanitize deb bench fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

test-deps:
	@bash scripts/install-deps.sh test

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/bin/orvanta

test: test-deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the run.
test-sanitize: test-deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j$(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS)

# A Debian package of the program, orvanta_VERSION_ARCH.deb in $(BUILD);
# dpkg-shlibdeps, which names its libraries, comes with build-essential.
deb: build
	cd $(BUILD) && cpack -G DEB

# Benchmarks are not tests: they time things and report, they do not judge.
bench:
	@bash scripts/install-deps.sh bench
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON -DORVANTA_TESTS=OFF >/dev/null
	@cmake --build build-bench -j$(JOBS)
	@bash bench/run.sh build-bench/bin

# The readers of outside files under libFuzzer, each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz:
	@bash scripts/install-deps.sh fuzz
	@CXX=clang++ cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j$(JOBS)
	@bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-sanitize build-bench build-fuzz
