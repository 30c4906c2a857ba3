# Two commands do everything on a fresh machine:
#   make run   installs what is missing, builds and plays
#   make test  installs what is missing, builds and runs every test headless
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZERS    := kova_reply-fuzz score_request-fuzz settings-fuzz waves-fuzz
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
DESTDIR    ?=

.PHONY: deps configure build run test test-asan test-fuzz test-long bench levels-report clean install uninstall package

# Playing needs no test frameworks: `make run` builds without the tests and
# benchmarks, `make test` (and every target that runs tests) with them.
TESTING    ?= ON

deps:
	@bash scripts/install-deps.sh $(if $(filter ON,$(TESTING)),test)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$(TESTING) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The game runs in its build folder: the music files and the settings file live there.
run:
	@$(MAKE) --no-print-directory build TESTING=OFF
	cd $(BUILD) && ./orbivore

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-fuzz

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DORBIVORE_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow

# Each fuzzer for ten seconds from its seeds in tests/fuzz/corpus (clang).
test-fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DORBIVORE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZERS)
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j $(JOBS) -L fuzz

# The bot on every level for thousands of frames (ORBIVORE_LONG_FRAMES in
# tests/CMakeLists.txt), under the sanitizers.
test-long: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DORBIVORE_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target orbivore-tests
	cd $(ASAN_BUILD) && ctest --output-on-failure -L long

# Installs into $(DESTDIR)$(PREFIX) by Debian's layout for games (see README),
# building first only when nothing is built, so that `sudo make install`
# after `make build` leaves the build folder alone. The list of what was
# installed is kept for `make uninstall` beside the build.
install: $(if $(wildcard $(BUILD)/orbivore),,build)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	cp $(BUILD)/install_manifest.txt $(BUILD)/installed_files.txt

uninstall:
	@DESTDIR="$(DESTDIR)" bash scripts/uninstall.sh $(BUILD)/installed_files.txt

# A .deb of the same files under /usr, in $(BUILD)/package/.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target orbivore-bench orbivore-server-bench orbivore-window-bench
	cd $(BUILD) && ./orbivore-bench
	cd $(BUILD) && ./orbivore-server-bench
	bash bench/window_bench.sh $(BUILD)

# Every arcade level played by the planning player in five seeds and by the
# human-model player (average skill) in ten, two runs at a time: writes
# docs/levels.md and the chart docs/levels.png. Not part of test.
# Debian's own python3, which the chart library is installed for. The runs are
# kept in docs/levels-runs.jsonl: only levels whose data changed are replayed.
levels-report: configure
	@bash scripts/install-deps.sh report
	@cmake --build $(BUILD) -j $(JOBS) --target orbivore-sim
	nice /usr/bin/python3 scripts/levels_report.py $(BUILD)/orbivore-sim --jobs 2 --raw docs/levels-runs.jsonl

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
