# make              the shipped engine, build-opt/vemsul, with link-time optimisation
#                   (PGO=ON adds a profile trained on its bench, which measured slower for this
#                   engine: see the README)
# make EXE=<path>   the engine built with only make and a C++ compiler (CXX=...), copied to
#                   <path>: what a testing worker runs (mk/directo.mk); no package is checked
# make windows      vemsul.exe and vemsul-libro.exe for 64-bit Windows, in build-windows/
# make test-windows those through Wine: the bench signature, then the engine's transcripts
# make dist         dist/vemsul-<version>-linux-x86_64.tar.gz and -windows-x86_64.zip
# make run          builds it and starts it on this terminal
# make install      engine, book builder, default book and manual page (PREFIX, DESTDIR)
# make book         Book.db here, from Debian's ECO lines, for `make run`
# make test         plain Release build and every test, then a sanitizer build, then the
#                   bench signature against the last Bench: line of the history
# Each first checks (as root: installs) the Debian packages it needs and nothing more.
MAKEFLAGS  += --no-print-directory
BUILD      := build
BUILD_ASAN := build-asan
BUILD_TSAN := build-tsan
BUILD_OPT  := build-opt
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
PGO        ?= OFF

OPTIMIZADO := -DCMAKE_BUILD_TYPE=Release -DVEMSUL_LTO=ON -DVEMSUL_PGO=$(PGO) -DVEMSUL_TESTS=OFF \
              -DCMAKE_INSTALL_PREFIX=$(PREFIX)

.PHONY: all optimizado build test test-release test-asan test-tsan run install book bench match clean \
        windows test-windows dist

.DEFAULT_GOAL := all
include mk/directo.mk

ifeq ($(EXE),)
all: optimizado
else
# A worker's build: the engine alone; no cmake, no package, nothing checked or installed.
all: $(MOTOR_D)
	@mkdir -p $(dir $(EXE))
	cp $(MOTOR_D) $(EXE)
endif

# What the packages are checked for: running, or installing (the default book's ECO lines too).
DEPS := run
install book: DEPS := install

optimizado:
	@scripts/install-deps.sh $(DEPS)
	cmake -S . -B $(BUILD_OPT) $(OPTIMIZADO)
	cmake --build $(BUILD_OPT) -j $(JOBS)

run: optimizado
	@./$(BUILD_OPT)/vemsul

install: optimizado
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_OPT)

book: optimizado
	cp $(BUILD_OPT)/Book.db Book.db

build:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVEMSUL_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

test: test-release test-asan test-tsan
	@scripts/check-bench.sh $(BUILD)/vemsul

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Address and undefined-behaviour sanitizers, with the board checker on; the slow deep
# perft and search tests run only in the Release build.
test-asan:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVEMSUL_SANITIZE=ON -DVEMSUL_TESTS=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j $(JOBS) -E Slow

# ThreadSanitizer: the sessions with several search threads, through the engine built with it;
# a data race ends the engine with status 66, which fails them.
test-tsan:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD_TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEMSUL_TSAN=ON -DVEMSUL_TESTS=ON
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target vemsul test_search
	cd $(BUILD_TSAN) && TSAN_OPTIONS="halt_on_error=1 exitcode=66" ctest --output-on-failure -R '^Hilos\.'

# Speed figures quoted in the README: perft, the evaluation, the search signature, and the
# shipped engine against the plain Release build.
bench: build optimizado
	bench/perft.sh
	bench/eval.sh
	./$(BUILD)/vemsul bench
	bench/nps.sh $(BUILD)/vemsul $(BUILD_OPT)/vemsul

# Games against Debian's stockfish under several time controls (about an hour).
match: build
	bench/match.sh

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_TSAN) $(BUILD_OPT) $(DIRECTO) build-windows dist

# The Windows build: MinGW-w64 with POSIX threads, linked statically (mk/directo.mk).
MINGW := x86_64-w64-mingw32-g++-posix
windows:
	@scripts/install-deps.sh windows
	$(MAKE) directo DIRECTO=build-windows DIRECTO_OS=windows CXX=$(MINGW) HOSTCXX=g++

# The Windows build under Wine (about N minutes): scripts/test-windows.sh.
test-windows: windows build
	@scripts/install-deps.sh test-windows
	scripts/test-windows.sh

dist:
	@scripts/install-deps.sh dist
	scripts/dist.sh

