# Two commands do everything on a fresh machine:
#   make run   installs what is missing, builds and plays
#   make test  installs what is missing, builds and runs every test headless
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: deps configure build run test test-asan bench clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The game runs in its build folder: the music files and the settings file live there.
run: build
	cd $(BUILD) && ./orbivore

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	@$(MAKE) --no-print-directory test-asan

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DORBIVORE_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow

bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target orbivore-bench
	cd $(BUILD) && ./orbivore-bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
