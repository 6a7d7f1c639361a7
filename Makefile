# Developer entry points. `make test` is what CI runs on a clean clone.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
FUZZ_SMOKE_SECONDS ?= 20
FUZZ_SECONDS ?= 300
FR_LOCALE := $(shell locale -a 2>/dev/null | grep -i '^fr_FR\.utf-\?8$$' | head -n1)

.PHONY: all deps configure build check test asan fuzz bench bench-peers run install package clean

all: build

deps:
	sh scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

# Everyday work: the unit tests alone, in one locale, two at a time. No
# fuzzing, no sanitizers, no robustness or stress runs.
check: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -LE robustness

# The whole suite, as CI runs it: a fuzzing smoke run, every test twice (in
# the C locale, then in French, where a decimal comma must never reach a
# stored file; the Debian package, the same in any locale, is made and
# checked in the first run only), then once more under AddressSanitizer and
# UBSan.
test: build
	FUZZ_SECONDS=$(FUZZ_SMOKE_SECONDS) sh scripts/fuzz
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
	cd $(BUILD_DIR) && LC_ALL=$(or $(FR_LOCALE),fr_FR.UTF-8) LANG=fr_FR.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -LE 'stress|package'
	sh scripts/asan

# The suite under AddressSanitizer and UBSan alone (build-asan).
asan: deps
	sh scripts/asan

# Each libFuzzer target for FUZZ_SECONDS (clang, AddressSanitizer, UBSan).
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) sh scripts/fuzz

bench: build
	$(BUILD_DIR)/bench/ardoisine-bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
		--benchmark_out=$(BUILD_DIR)/bench.json --benchmark_out_format=json
	$(BUILD_DIR)/bench/ardoisine-sound-bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

# The same annotated page exported by Xournal++ and by ardoisine-tool.
bench-peers: build
	BUILD_DIR=$(BUILD_DIR) sh scripts/bench-peers

# The program on a demo data root drawn by ardoisine-tool under the build
# folder (made on the first run, kept afterwards with the pupils' work).
DEMO_ROOT := $(abspath $(BUILD_DIR))/demo
run: build
	@$(BUILD_DIR)/src/tool/ardoisine-tool demo "$(DEMO_ROOT)"
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "Aucun écran graphique (DISPLAY n'est pas défini). Sans écran, lancez le programme sous un"; \
	    echo "serveur X virtuel :  xvfb-run -a -s '-screen 0 1280x1024x24' make run"; \
	    echo "No display (DISPLAY is not set): run it under a virtual X server with the command above."; \
	    exit 1; \
	fi
	$(BUILD_DIR)/src/app/ardoisine "DIR=$(DEMO_ROOT)"

# The programs into PREFIX (default /usr/local); DESTDIR for packaging.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package for school PCs: build/ardoisine_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR) build-fuzz build-asan
