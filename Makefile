# `make test` installs what is missing, builds, and runs every test (Release, then a
# sanitizer build); `make run` builds and starts the engine.
BUILD      := build
BUILD_ASAN := build-asan
JOBS       ?= $(shell nproc)

.PHONY: all deps build test test-release test-asan run bench match clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

test: test-release test-asan

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Address and undefined-behaviour sanitizers, with the board checker on; the slow deep
# perft and search tests run only in the Release build.
test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVEMSUL_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j $(JOBS) -E Slow

run: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target vemsul > /dev/null
	@./$(BUILD)/vemsul

# Speed figures quoted in the README: perft, the evaluation, and the search signature.
bench: build
	bench/perft.sh
	bench/eval.sh
	./$(BUILD)/vemsul bench

# Games against Debian's stockfish under several time controls (about an hour).
match: build
	bench/match.sh

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
