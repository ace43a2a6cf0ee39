# Tessellock Pro 5: build, run and test on Debian 12.
#   make run    install what is missing, build, start the application under Wine
#   make test   install what is missing, build, run every test (native, then Windows through Wine)
#   make bench  build the Release tree and run the benchmarks (tl5bench), then the Windows tree's
#               tree-fill benchmark through Wine (tl5winbench)
SHELL := /bin/bash
.DEFAULT_GOAL := build

ROOT    := $(CURDIR)
BUILD   := $(ROOT)/build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
RELEASE := $(BUILD)/release
FUZZ    := $(BUILD)/fuzz
# Seconds each fuzz target runs: make fuzz runs them long, make test briefly.
FUZZ_SECONDS ?= 60
CI_FUZZ_SECONDS ?= 20
JOBS    ?= $(shell nproc)
# The native test tree is built with AddressSanitizer and UndefinedBehaviorSanitizer; SANITIZE=0 turns them off.
SANITIZE ?= 1
GENERATOR := -G Ninja

PACKAGES := cmake ninja-build g++ make python3 googletest libgtest-dev \
            g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine fonts-liberation \
            xvfb xauth x11-utils xdotool imagemagick clang libclang-rt-14-dev util-linux \
            libgcrypt20-dev libgcrypt-mingw-w64-dev

.PHONY: deps native win build release run test test-native test-win fuzz fuzz-build bench clean

deps:
	@tools/install-deps.sh $(PACKAGES)

native: deps
	cmake -S . -B $(NATIVE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTL5_SANITIZE=$(if $(filter 1,$(SANITIZE)),ON,OFF)
	cmake --build $(NATIVE) -j$(JOBS)

win: deps
	cmake -S . -B $(WIN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake
	cmake --build $(WIN) -j$(JOBS)

release: deps
	cmake -S . -B $(RELEASE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j$(JOBS)

build: native win

# The demo wallet make run opens; its password is printed when the application starts.
DEMO_WALLET   := $(BUILD)/demo/Demo.tl5
DEMO_PASSWORD ?= demo1234

run: win
	cmake -S . -B $(RELEASE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(RELEASE) -j$(JOBS) --target tl5
	@tools/make-demo-wallet.sh $(RELEASE)/bin/tl5 $(DEMO_WALLET) '$(DEMO_PASSWORD)'
	@echo "Demo wallet: $(DEMO_WALLET)  password: $(DEMO_PASSWORD)"
	@tools/run-app.sh $(WIN)/bin --password '$(DEMO_PASSWORD)' "Z:$(subst /,\,$(DEMO_WALLET))"

test: build fuzz-build
	@$(MAKE) --no-print-directory test-native test-win
	FUZZ_SECONDS=$(CI_FUZZ_SECONDS) tools/run-fuzz.sh $(FUZZ)

# The benchmark program runs once at a tiny size, so that it stays runnable (its figures mean nothing here).
test-native:
	cd $(NATIVE) && ctest --output-on-failure
	TL5_BENCH_SIZES=60 TL5_BENCH_ROUNDS=1 $(NATIVE)/bin/tl5bench wallets >$(NATIVE)/tiny-bench.log || \
	  { cat $(NATIVE)/tiny-bench.log; exit 1; }

# The tl5 command-line tests run a second time against tl5.exe under Wine.
test-win:
	@tools/wine-run.sh --init
	tools/with-xvfb.sh ctest --test-dir $(WIN) --output-on-failure
	TL5_CLI_WINE_EXE=$(WIN)/bin/tl5.exe $(NATIVE)/bin/cli_tests --gtest_brief=1

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTL5_FUZZ=ON
	cmake --build $(FUZZ) -j$(JOBS)

fuzz: fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) tools/run-fuzz.sh $(FUZZ)

# Benchmarks on the Release build; generated wallets are kept in $(RELEASE)/bin/bench-wallets.
bench: deps
	cmake -S . -B $(RELEASE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j$(JOBS) --target tl5bench
	$(RELEASE)/bin/tl5bench
	cmake -S . -B $(WIN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake
	cmake --build $(WIN) -j$(JOBS) --target tl5winbench
	tools/win-bench.sh $(RELEASE)/bin $(WIN)/bin

clean:
	rm -rf $(BUILD)
