# Mireva３ — build, run and test.
#   make deps   install every Debian package the project needs (as root)
#   make run    build and start the program
#   make test   in this order: check the source layout against .clang-format (test-format), build and run
#               every test (test-main), install into a scratch folder and check it (test-install), then
#               two AddressSanitizer/UBSan builds: the core alone, built without Qt, with its tests
#               (test-asan), and the whole tree, running the widget tests offscreen and every mireva-cli
#               subcommand once on the sample site (test-asan-ui); UBSan halts on its first finding and
#               LeakSanitizer leaves out the libraries named in tests/support/lsan.supp
#   make bench  build and run the benchmarks on generated large sites
#   make install  install into PREFIX (/usr/local), staged under DESTDIR when given
#   make package  build the Debian package (build/mireva_VERSION_ARCH.deb)
#   make fuzz   build the libFuzzer targets with clang and run them for FUZZ_SECONDS each

PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev libxlsxwriter-dev zlib1g-dev \
  libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk xvfb xauth libgl-dev \
  poppler-utils clang libclang-rt-14-dev unzip x11-utils \
  qt6-translations-l10n qt6-charts-dev fonts-ipaexfont-gothic python3-fonttools \
  desktop-file-utils appstream qt6-svg-dev librsvg2-bin clang-format

BUILD ?= build
ASAN_BUILD ?= build-asan
ASAN_UI_BUILD ?= build-asan-ui
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache,)
CMAKE_COMMON := -G Ninja $(LAUNCHER)
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp:print_suppressions=0

.PHONY: deps build run test test-format test-main test-install test-asan test-asan-ui install package bench fuzz clean

deps:
	@if dpkg -s $(PACKAGES) >/dev/null 2>&1; then echo "deps: all packages present"; else \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update && apt-get install -y --no-install-recommends $(PACKAGES); fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-program $(BUILD)

test: test-format test-main test-install test-asan test-asan-ui

test-format: deps
	./scripts/check-format

test-main: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-install: build
	./scripts/check-install $(BUILD)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX) --strip

package: build
	cd $(BUILD) && cpack -G DEB

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DMIREVA_UI=OFF -DMIREVA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test-asan-ui: deps
	cmake -S . -B $(ASAN_UI_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DMIREVA_SANITIZE=ON
	cmake --build $(ASAN_UI_BUILD) -j $(JOBS) --target mireva_ui_tests mireva-cli
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_UI_BUILD) -L ui --output-on-failure -j $(JOBS)
	$(SANITIZER_ENV) ./scripts/run-cli-sample $(ASAN_UI_BUILD)/src/cli/mireva-cli

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DMIREVA_BENCH=ON -DMIREVA_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	./scripts/run-benchmarks $(BENCH_BUILD)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMIREVA_UI=OFF -DMIREVA_TESTS=OFF -DMIREVA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	./scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(ASAN_UI_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
