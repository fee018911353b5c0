# The commands of the README:
#   make run    installs what is missing, builds the program, starts Dozuri under Wine
#   make test   installs what is missing, builds both configurations, runs every test
#   make bench  builds the benchmarks in their own Release configuration and runs
#               each with its peer, printing a table of ratios
#
# build/win     Windows build (mingw-w64 cross); its tests run under Wine in the
#               private test desktop (tools/desktop)
# build/native  portable libraries and their tests, g++ with ASan and UBSan
# build/bench   native Release build of the benchmarks and the libraries they measure

JOBS    ?= $(shell nproc)
BUILD   ?= $(CURDIR)/build
WIN     := $(BUILD)/win
NATIVE  := $(BUILD)/native
BENCH   := $(BUILD)/bench
CTEST   := ctest --output-on-failure -j $(JOBS)
# Ninja when it is there (tools/setup installs it): it schedules the build
# with less overhead than make. A build folder keeps the generator it was
# configured with.
GENERATOR := $(if $(shell command -v ninja),-G Ninja)

# Every stage reports its wall time and the CPU time (user + system) of
# everything it ran, in CPU-minutes: the cost on a machine with few cores.
# `times` prints the shell's own and then its children's user and system
# time; it runs in the recipe's shell itself (a pipe would run it in a
# subshell that has no children), so its lines go through a file.
STAGE    = times > $(BUILD)/.cpu-$(1); \
	   echo "== $(1): $$(( $$(date +%s) - start ))s, $$(awk 'NR == 2 { split($$1, u, /[ms]/); split($$2, s, /[ms]/); \
	     printf "%.1f", (u[1] * 60 + u[2] + s[1] * 60 + s[2]) / 60 }' $(BUILD)/.cpu-$(1)) CPU-minutes"

.PHONY: setup build build-win build-native test test-native test-win run bench clean

setup:
	@tools/setup

$(WIN)/CMakeCache.txt:
	cmake -S . -B $(WIN) $(GENERATOR) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) $(GENERATOR) -DDOZURI_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

build-win: setup $(WIN)/CMakeCache.txt
	@start=$$(date +%s); cmake --build $(WIN) -j $(JOBS); rc=$$?; $(call STAGE,build-win); exit $$rc

build-native: setup $(NATIVE)/CMakeCache.txt
	@start=$$(date +%s); cmake --build $(NATIVE) -j $(JOBS); rc=$$?; $(call STAGE,build-native); exit $$rc

build: build-native build-win

test-native: build-native
	@start=$$(date +%s); cd $(NATIVE) && $(CTEST); rc=$$?; $(call STAGE,test-native); exit $$rc

# Windows tests run one at a time under one wineserver in the test desktop.
# Those labelled en_US run after them in a desktop of that locale, so that
# no Turkish process of Wine's rewrites the user's formats while they read
# them. (The wineserver runs detached, so its own CPU time is not in the figure.)
test-win: build-win
	@start=$$(date +%s); rc=0; \
	 DOZURI_BUILD=$(BUILD) tools/desktop sh -c 'cd $(WIN) && ctest --output-on-failure -LE en_US' || rc=1; \
	 DOZURI_BUILD=$(BUILD) DOZURI_LOCALE=en_US.UTF-8 tools/desktop sh -c 'cd $(WIN) && ctest --output-on-failure -L en_US' || rc=1; \
	 $(call STAGE,test-win); exit $$rc

# The figure of the whole run counts the configuration and setup too.
test:
	@start=$$(date +%s); rc=0; \
	 $(MAKE) --no-print-directory test-native || rc=1; \
	 $(MAKE) --no-print-directory test-win || rc=1; \
	 $(call STAGE,test); exit $$rc

# The program runs from a folder of its own outside the build, so the records
# it keeps beside itself (Data\barkod.bxf) survive `make clean`; its Wine
# prefix is its own too, apart from the test desktop's.
# It builds only the program (the Dozuri target), not the test programs, and
# runs in the Turkish locale its users have (DOZURI_LOCALE chooses another).
# Its printers are the system's when a CUPS scheduler answers; otherwise
# tools/printers starts a CUPS server of its own for the run, whose PDF queue
# is the default printer and writes its files to run/PDF.
RUNDIR ?= $(CURDIR)/run
run: setup $(WIN)/CMakeCache.txt
	@if [ -z "$$DISPLAY" ]; then echo "make run needs a display: DISPLAY is not set"; exit 1; fi
	@start=$$(date +%s); cmake --build $(WIN) --target Dozuri -j $(JOBS) && echo "== build Dozuri: $$(( $$(date +%s) - start ))s"
	@mkdir -p $(RUNDIR) && cp $(WIN)/app/Dozuri.exe $(RUNDIR)/Dozuri.exe && cp resources/etiket.vlp $(RUNDIR)/etiket.vlp
	cd $(RUNDIR) && LANG=$${DOZURI_LOCALE:-tr_TR.UTF-8} LC_ALL=$${DOZURI_LOCALE:-tr_TR.UTF-8} \
	  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$(BUILD)/runprefix \
	  $(CURDIR)/tools/printers $(BUILD)/runprinters $(RUNDIR)/PDF wine Dozuri.exe

# Benchmarks: their own native Release configuration (figures from the Debug
# and sanitizer build mean nothing). Every benchmark runs with its peer in the
# same process (libzint, libpng, zlib); tools/benchtable prints the ratios.
# BENCH_ARGS passes options to every benchmark (e.g. --benchmark_min_time=2).
BENCH_ARGS ?=
$(BENCH)/CMakeCache.txt:
	cmake -S . -B $(BENCH) -DDOZURI_BENCH=ON -DCMAKE_BUILD_TYPE=Release

bench: setup $(BENCH)/CMakeCache.txt
	@start=$$(date +%s); cmake --build $(BENCH) -j $(JOBS) && echo "== build-bench: $$(( $$(date +%s) - start ))s"
	@tools/benchtable $(BENCH)/bench $(BENCH_ARGS)

clean:
	rm -rf $(BUILD)

# Fuzz targets of the file readers (clang, libFuzzer, ASan/UBSan): builds them
# and runs each for FUZZ_SECONDS over its seed folder fuzz/corpus/<target>
# (tools/fuzzrun). A target that crashes, leaks or times out fails the run,
# named with the input it kept under $(FUZZ)/findings/. A self-check first
# makes sure such a finding does fail the run.
FUZZ         := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz: setup
	cmake -S . -B $(FUZZ) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDOZURI_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ) -j $(JOBS)
	@fuzz/check/fuzzrun_check $(FUZZ)
	@tools/fuzzrun $(FUZZ) $(FUZZ_SECONDS) $(CURDIR)/fuzz/corpus \
	  $$(find $(FUZZ)/fuzz -maxdepth 1 -type f -name '*_fuzz' -executable | sort)
