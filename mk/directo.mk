# The build with nothing but make and a compiler: no cmake, no -dev package, no `patch`, no
# network, no root. A testing worker builds the engine this way (make -j EXE=<path> CXX=<c++>),
# and the Windows cross-build reuses it with MinGW-w64. Third-party C code is compiled with the
# C compiler that goes with CXX: SQLite from the amalgamation in third_party/sqlite, Fathom
# from third_party/fathom, and (for Windows, where no library can be loaded) the Gaviota
# probing code from third_party/gaviota. Their patches are applied to a copy in the build tree
# by tools/parche.cpp, built first with the host's compiler.
#
# Variables: CXX (and CC, else the C compiler named after CXX), DIRECTO (the build tree),
# DIRECTO_OS (linux or windows), HOSTCXX (the compiler of the patch tool), LDFLAGS_EXTRA.

DIRECTO    ?= build-directo
DIRECTO_OS ?= linux

# The C compiler beside CXX: g++ -> gcc, clang++ -> clang (the same prefix and suffix, as in
# x86_64-w64-mingw32-g++-posix), unless CC was given.
ifeq ($(origin CC),default)
  CC_DIRECTO := $(or $(if $(findstring clang++,$(CXX)),$(subst clang++,clang,$(CXX))),\
                     $(if $(findstring g++,$(CXX)),$(subst g++,gcc,$(CXX))),cc)
else
  CC_DIRECTO := $(CC)
endif
HOSTCXX ?= $(CXX)

# The engine's options are those of the CMake Release build; link-time optimisation for the
# engine's own code. Third-party code keeps its own warnings to itself.
# GCC's parallel link-time optimisation (Clang's needs a linker plugin a worker may lack).
LTO_DIRECTO      := $(if $(findstring clang,$(CXX)),,-flto=auto)
CXXFLAGS_DIRECTO := -std=c++20 -O3 -DNDEBUG -Wall -Wextra $(LTO_DIRECTO) -Isrc -Ithird_party/fathom/dir
CFLAGS_DIRECTO   := -std=gnu11 -O2 -DNDEBUG -w
LDFLAGS_DIRECTO  := -O3 $(LTO_DIRECTO) -pthread $(LDFLAGS_EXTRA)
FATHOM_DIR  := $(DIRECTO)/fathom
GAVIOTA_DIR := $(DIRECTO)/gaviota
SQLITE_DEFS := -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DQS=0 -DSQLITE_DEFAULT_MEMSTATUS=0

ifeq ($(DIRECTO_OS),windows)
  EXT := .exe
  # One file to copy: the C and C++ runtimes and the thread library linked in.
  LDFLAGS_DIRECTO += -static
  CXXFLAGS_DIRECTO += -DVEMSUL_GAVIOTA_ENLAZADA -I$(GAVIOTA_DIR) -I$(GAVIOTA_DIR)/sysport
  GAVIOTA_C := gtb-probe.c gtb-dec.c gtb-att.c sysport/sysport.c compression/wrap.c \
               compression/huffman/hzip.c compression/liblzf/lzf_c.c compression/liblzf/lzf_d.c \
               $(patsubst third_party/gaviota/src/%,%,$(wildcard third_party/gaviota/src/compression/lzma/*.c))
  GAVIOTA_OBJ := $(addprefix $(DIRECTO)/obj/gaviota/,$(GAVIOTA_C:.c=.o))
  GAVIOTA_INC := -I$(GAVIOTA_DIR) -I$(GAVIOTA_DIR)/sysport -I$(GAVIOTA_DIR)/compression \
                 -I$(GAVIOTA_DIR)/compression/liblzf -I$(GAVIOTA_DIR)/compression/lzma \
                 -I$(GAVIOTA_DIR)/compression/huffman
  # Fathom has a tb_init of its own: Gaviota's is renamed wherever it is compiled or named.
  GAVIOTA_RENOMBRE := -Dtb_init=gtb_tb_init
  GAVIOTA_DEFS := -DMINGW -DGTB_NO_ZLIB $(GAVIOTA_RENOMBRE)
else
  EXT :=
  LDFLAGS_DIRECTO += -ldl
  GAVIOTA_OBJ :=
endif
CXXFLAGS_DIRECTO := $(subst third_party/fathom/dir,$(FATHOM_DIR),$(CXXFLAGS_DIRECTO)) \
                    -Ithird_party/sqlite -DTB_NO_HELPER_API

FUENTES   := $(filter-out src/main.cpp,$(wildcard src/*.cpp src/*/*.cpp))
OBJ_MOTOR := $(patsubst %.cpp,$(DIRECTO)/obj/%.o,$(FUENTES))
OBJ_C     := $(DIRECTO)/obj/sqlite3.o $(DIRECTO)/obj/tbprobe.o $(GAVIOTA_OBJ)
MOTOR_D   := $(DIRECTO)/vemsul$(EXT)
LIBRO_D   := $(DIRECTO)/vemsul-libro$(EXT)
PARCHE    := $(DIRECTO)/parche

.PHONY: directo
directo: $(MOTOR_D) $(LIBRO_D)

# "+": the link-time optimisation shares make's job slots.
$(MOTOR_D): $(DIRECTO)/obj/src/main.o $(OBJ_MOTOR) $(OBJ_C)
	+$(CXX) -o $@ $^ $(LDFLAGS_DIRECTO)

$(LIBRO_D): $(DIRECTO)/obj/tools/libro.o $(OBJ_MOTOR) $(OBJ_C)
	+$(CXX) -o $@ $^ $(LDFLAGS_DIRECTO)

# The patch tool, and the patched copies of the third-party sources. Each copy is made whole
# in a temporary folder and renamed into place, so an interrupted build never leaves half a
# patched tree behind.
$(PARCHE): tools/parche.cpp
	@mkdir -p $(@D)
	$(HOSTCXX) -std=c++20 -O1 -o $@ $<

$(FATHOM_DIR)/.listo: $(PARCHE) $(wildcard third_party/fathom/src/* third_party/fathom/patches/*.patch)
	@rm -rf $(FATHOM_DIR) $(FATHOM_DIR).tmp && mkdir -p $(FATHOM_DIR).tmp
	cp third_party/fathom/src/* $(FATHOM_DIR).tmp/
	$(PARCHE) $(FATHOM_DIR).tmp $(sort $(wildcard third_party/fathom/patches/*.patch))
	@touch $(FATHOM_DIR).tmp/.listo && mv $(FATHOM_DIR).tmp $(FATHOM_DIR)

$(GAVIOTA_DIR)/.listo: $(PARCHE) $(wildcard third_party/gaviota/src/* third_party/gaviota/src/*/* \
                       third_party/gaviota/src/*/*/* third_party/gaviota/patches/*.patch)
	@rm -rf $(GAVIOTA_DIR) $(GAVIOTA_DIR).tmp && mkdir -p $(GAVIOTA_DIR).tmp
	cp -R third_party/gaviota/src/. $(GAVIOTA_DIR).tmp/
	$(PARCHE) $(GAVIOTA_DIR).tmp $(sort $(wildcard third_party/gaviota/patches/*.patch))
	@touch $(GAVIOTA_DIR).tmp/.listo && mv $(GAVIOTA_DIR).tmp $(GAVIOTA_DIR)

# -O1: the book's few queries need no more, and the largest file compiles in half the time.
$(DIRECTO)/obj/sqlite3.o: third_party/sqlite/sqlite3.c
	@mkdir -p $(@D)
	$(CC_DIRECTO) $(CFLAGS_DIRECTO) -O1 $(SQLITE_DEFS) -c -o $@ $<

# tbchess.c is included by tbprobe.c, not compiled on its own; the helper API is left out.
$(DIRECTO)/obj/tbprobe.o: $(FATHOM_DIR)/.listo
	@mkdir -p $(@D)
	$(CC_DIRECTO) $(CFLAGS_DIRECTO) -DTB_NO_HELPER_API -I$(FATHOM_DIR) -c -o $@ $(FATHOM_DIR)/tbprobe.c

$(DIRECTO)/obj/gaviota/%.o: $(GAVIOTA_DIR)/.listo
	@mkdir -p $(@D)
	$(CC_DIRECTO) $(CFLAGS_DIRECTO) $(GAVIOTA_DEFS) $(GAVIOTA_INC) -c -o $@ $(GAVIOTA_DIR)/$*.c

# The engine's sources, with the header dependencies the compiler reports.
$(DIRECTO)/obj/%.o: %.cpp $(FATHOM_DIR)/.listo $(if $(GAVIOTA_OBJ),$(GAVIOTA_DIR)/.listo)
	@mkdir -p $(@D)
	$(CXX) $(CXXFLAGS_DIRECTO) -MMD -MP -c -o $@ $<

$(DIRECTO)/obj/src/tablebases/gaviota_enlazada.o: CXXFLAGS_DIRECTO += $(GAVIOTA_RENOMBRE)

-include $(wildcard $(DIRECTO)/obj/src/*.d $(DIRECTO)/obj/src/*/*.d $(DIRECTO)/obj/tools/*.d)
