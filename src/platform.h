// Everything the engine needs from its operating system, in one place: a monotonic clock,
// blocking reads of standard input, large-table allocation, run-time library loading and the
// program's own folder. platform.cpp for POSIX systems, platform_windows.cpp for Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Process set-up: standard output written line by line, each line at once; and a GUI that
// has closed our output must not kill the engine in the middle of a write (the loop then meets
// the end of input and ends with status 0).
void PrepararProceso();

// Milliseconds from an arbitrary fixed point of a monotonic clock.
std::int64_t RelojMs();

// Standard input as raw bytes, read blocking: the count read (at most tamano), or 0 once the
// input has ended or is broken. Lines are assembled above this layer, by the input reader.
int LeerEntrada(char* buffer, int tamano);

// Large tables (the transposition table and the evaluation cache): aligned and, where the
// system allows it, backed by huge pages, since every probe lands on a random page. Null on
// failure; release with LiberarTabla.
void* ReservarTabla(std::size_t bytes);
void LiberarTabla(void* tabla);

// Run-time loading of a shared library; null / false on failure.
void* CargarBiblioteca(const char* nombre);
void* BuscarOperacion(void* biblioteca, const char* nombre);
bool LiberarBiblioteca(void* biblioteca);

// The folder of the engine's own file, ending with its separator, where a Windows user keeps
// the files that come with it (the book); empty where the system has no such habit.
std::string CarpetaDelPrograma();

// The C library's rand() as glibc computes it without a seed, on every system: the Zobrist
// keys and the book's choices, drawn from it, are then the same on Windows as on Linux.
int AzarC();
