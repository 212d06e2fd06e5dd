// The input reader: standard input is read by a thread of its own, which cuts it into lines
// and queues them in arrival order. The command loop takes the lines one by one; a running
// search looks at the queue, never at the operating system, to learn whether a line waits.
#pragma once

// A line ends at a line feed; a carriage return just before it belongs to the line end. Lines
// of up to MAX_LINEA_ENTRADA characters are kept whole; a longer one is dropped whole and
// leaves a LINEA_LARGA mark in its place. A line holding a NUL byte belongs to no command and
// is dropped without a trace. The end of the input (or a broken input) is the last mark.
constexpr int MAX_LINEA_ENTRADA = 64 * 1024;
constexpr int FIN_ENTRADA = -1;  // nothing more will come
constexpr int LINEA_LARGA = -2;  // a line too long to keep was dropped here
constexpr int SIN_LINEA = -3;    // MirarLinea without esperar: nothing waits yet

// Starts the reader thread; later calls do nothing. The first LeerLinea or MirarLinea starts
// it too.
void IniciarLector();

// Takes the next line, blocking until there is one: copies it (at most tamano - 1 characters,
// tamano up to MAX_LINEA_ENTRADA + 1) without its line end into buffer and returns its length,
// or returns LINEA_LARGA or FIN_ENTRADA with an empty buffer. The end of the input stays in
// the queue: every later call returns FIN_ENTRADA again.
int LeerLinea(char* buffer, int tamano);

// The first waiting line, left in place: what LeerLinea would return, with at most tamano - 1
// of its characters copied; SIN_LINEA when nothing waits and esperar is false (with esperar it
// blocks until a line is there). Cheap when nothing waits: a search calls it every 2048 nodes.
int MirarLinea(char* linea, int tamano, bool esperar);
// Takes the line MirarLinea has just shown (the end-of-input mark stays).
void SaltarLinea();
