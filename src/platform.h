// Everything the engine needs from its operating system, in one place: a monotonic clock,
// line input with a non-consuming "is input waiting?" test, and run-time library loading.
#pragma once

#include <cstddef>
#include <cstdint>

// Process set-up: a GUI that has closed our output must not kill the engine in the middle of
// a write (the loop then meets the end of input and ends with status 0).
void PrepararProceso();

// Milliseconds from an arbitrary fixed point of a monotonic clock.
std::int64_t RelojMs();

// Line input. A line ends at a line feed; a carriage return just before it belongs to the
// line end. Lines of up to MAX_LINEA_ENTRADA characters are read whole.
constexpr int MAX_LINEA_ENTRADA = 64 * 1024;
constexpr int FIN_ENTRADA = -1;  // end of input (or a read error), nothing left to read
constexpr int LINEA_LARGA = -2;  // the line did not fit: it has been consumed whole

// Reads the next line of standard input into buffer (tamano at most MAX_LINEA_ENTRADA + 1),
// without its line end, and returns its length. A line longer than tamano - 1 characters
// leaves an empty buffer and gives LINEA_LARGA; the next call reads the line after it. A last
// line without a line feed is still a line.
int LeerLinea(char* buffer, int tamano);

// True when a read would not block: bytes already buffered by LeerLinea, bytes waiting on
// descriptor 0, or an input that has been closed or broken. Consumes nothing.
bool HayEntradaEsperando();

// The next line waiting on standard input, left in place: true once the whole line has arrived
// (its newline, or the end of the input behind it; a line too long for the reader's buffer
// counts as whole), with its first tamano - 1 characters copied into linea, without the line
// end. An ended or broken input shows as an empty line. False while nothing, or only part of
// a line, has arrived; with esperar it blocks until a whole line is there instead.
bool MirarLinea(char* linea, int tamano, bool esperar);
// Consumes the line MirarLinea has just shown.
void SaltarLinea();

// Large tables (the transposition table and the evaluation cache): aligned and, where the
// system allows it, backed by huge pages, since every probe lands on a random page. Null on
// failure; release with LiberarTabla.
void* ReservarTabla(std::size_t bytes);
void LiberarTabla(void* tabla);

// Run-time loading of a shared library; null / false on failure.
void* CargarBiblioteca(const char* nombre);
void* BuscarOperacion(void* biblioteca, const char* nombre);
bool LiberarBiblioteca(void* biblioteca);
