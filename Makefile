# The two commands a user needs are `make run` and `make test`; each first
# installs, from Debian's archive, whatever the machine is missing.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps test-deps build run test test-sanitize e2e deb bench fuzz clean

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

# The installed program used as a person would, under its own Xvfb, printing
# to a private CUPS queue; then the AddressSanitizer build the same way, run
# in place, failing on any leak that tests/e2e/lsan.supp does not excuse. Its
# folder is configured exactly as test-sanitize configures it, so that neither
# target changes the other's build. E2E_LEAKS=0 skips the second pass.
# Screenshots, printed pages and memory figures stay in $(BUILD)/e2e/artifacts.
E2E_LEAKS ?= 1
e2e:
	@bash scripts/install-deps.sh e2e
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target orvanta orvanta-calc e2e_bare_window
	@rm -rf $(BUILD)/e2e/stage
	@cmake --install $(BUILD) --prefix $(BUILD)/e2e/stage >/dev/null
	bash tests/e2e/run.sh $(BUILD)/e2e/stage $(BUILD)/e2e/artifacts/plain --bare $(BUILD)/bin/e2e_bare_window
ifneq ($(E2E_LEAKS),0)
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j$(JOBS) --target orvanta
	bash tests/e2e/run.sh build-sanitize $(BUILD)/e2e/artifacts/leaks --leaks tests/e2e/lsan.supp
endif

# A Debian package of the program, orvanta_VERSION_ARCH.deb in $(BUILD).
# CPack's archiver reads file names through the locale's character set, so
# under the POSIX locale it cannot find the help documents with Korean names:
# it runs under C.UTF-8, which every glibc system has.
deb: build
	@bash scripts/install-deps.sh deb
	cd $(BUILD) && LC_ALL=C.UTF-8 cpack -G DEB

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
