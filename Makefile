# The two commands of the README:
#   make run   installs what is missing, builds, starts Dozuri under Wine
#   make test  installs what is missing, builds both configurations, runs every test
#
# build/win     Windows build (mingw-w64 cross); its tests run under Wine in the
#               private test desktop (tools/desktop)
# build/native  portable libraries and their tests, g++ with ASan and UBSan

JOBS    ?= $(shell nproc)
BUILD   ?= $(CURDIR)/build
WIN     := $(BUILD)/win
NATIVE  := $(BUILD)/native
CTEST   := ctest --output-on-failure -j $(JOBS)

.PHONY: setup build build-win build-native test test-native test-win run clean

setup:
	@tools/setup

$(WIN)/CMakeCache.txt:
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) -DDOZURI_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

build-win: setup $(WIN)/CMakeCache.txt
	@start=$$(date +%s); cmake --build $(WIN) -j $(JOBS) && echo "== build-win: $$(( $$(date +%s) - start ))s"

build-native: setup $(NATIVE)/CMakeCache.txt
	@start=$$(date +%s); cmake --build $(NATIVE) -j $(JOBS) && echo "== build-native: $$(( $$(date +%s) - start ))s"

build: build-native build-win

test-native: build-native
	@start=$$(date +%s); cd $(NATIVE) && $(CTEST); rc=$$?; echo "== test-native: $$(( $$(date +%s) - start ))s"; exit $$rc

# Windows tests run one at a time under one wineserver in the test desktop.
test-win: build-win
	@start=$$(date +%s); DOZURI_BUILD=$(BUILD) tools/desktop sh -c 'cd $(WIN) && ctest --output-on-failure'; rc=$$?; \
	 echo "== test-win: $$(( $$(date +%s) - start ))s"; exit $$rc

test:
	@start=$$(date +%s); rc=0; \
	 $(MAKE) --no-print-directory test-native || rc=1; \
	 $(MAKE) --no-print-directory test-win || rc=1; \
	 echo "== test: $$(( $$(date +%s) - start ))s"; exit $$rc

# The program runs from a folder of its own outside the build, so the records
# it keeps beside itself (Data\barkod.bxf) survive `make clean`; its Wine
# prefix is its own too, apart from the test desktop's.
RUNDIR ?= $(CURDIR)/run
run: build-win
	@if [ -z "$$DISPLAY" ]; then echo "make run needs a display: DISPLAY is not set"; exit 1; fi
	@mkdir -p $(RUNDIR) && cp $(WIN)/app/Dozuri.exe $(RUNDIR)/Dozuri.exe
	cd $(RUNDIR) && WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$(BUILD)/runprefix wine Dozuri.exe

clean:
	rm -rf $(BUILD)

# Fuzz targets of the file readers (clang, libFuzzer, ASan/UBSan): builds them
# and runs each for FUZZ_SECONDS over its seed folder fuzz/corpus/<target>.
FUZZ         := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz: setup
	cmake -S . -B $(FUZZ) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDOZURI_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ) -j $(JOBS)
	@for t in $$(find $(FUZZ)/fuzz -maxdepth 1 -type f -name '*_fuzz' -executable | sort); do \
	  n=$$(basename $$t); mkdir -p $(FUZZ)/corpus/$$n; \
	  seeds=$(CURDIR)/fuzz/corpus/$$n; [ -d $$seeds ] || seeds=; \
	  echo "== fuzz $$n for $(FUZZ_SECONDS)s"; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -max_len=65536 $(FUZZ)/corpus/$$n $$seeds 2>&1 | tail -3 || exit 1; \
	done
