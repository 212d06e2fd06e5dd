// Everything the engine needs from its operating system, in one place: a monotonic clock,
// blocking reads of standard input, large-table allocation and run-time library loading.
#pragma once

#include <cstddef>
#include <cstdint>

// Process set-up: a GUI that has closed our output must not kill the engine in the middle of
// a write (the loop then meets the end of input and ends with status 0).
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
