// The parallel search. With the option Threads at N, N - 1 helper threads search the root of
// every search beside the main thread and share what they find through the transposition
// table (each iterates on its own, at depths the other threads are not on). The main thread
// alone reads input, keeps the clock, reports and chooses the move; the helpers stop when it
// is done. With one thread nothing here runs; Windows builds always search on one (comun.h).
//
// Each thread has its own (POR_HILO, copied from the main thread at every search): the
// board and side records, the repetition list, the evaluation records and pawn table, the
// history, killer and counter-move tables, the line arrays, the limits record (node count and
// stop flag included), the root move set and the remainder caches of the two key-indexed
// tables. Shared by all: the transposition table and evaluation cache (slots checked as
// written whole, read and written as relaxed atomic words), the table's generation (changed
// only between searches) and fill count, the failure flag, the options, the tablebase
// libraries. A helper's node and tablebase-hit counts reach the main thread through relaxed
// atomics published every 2048 nodes.
#pragma once

#include "comun.h"

constexpr int MAX_HILOS = 256;  // option Threads' maximum

// Makes n threads search from now on (1..MAX_HILOS): helpers are created or ended here and
// kept between searches. Only while no search runs.
void FijarHilos(int n);

// The main thread, as a search starts (its position, limits and root set ready): the helpers
// copy them and start iterating. Then, once its own iterations are over: stop them and wait
// until every helper is idle again.
void ArrancarAyudantes();
void PararAyudantes();

// Every thread's nodes and tablebase hits in the current search (or the last one): what the
// info lines show and "go nodes" counts.
u64 NodosTotales();
u64 AciertosTotales();

// True in a helper thread. There the every-2048-nodes check publishes the counts and picks
// up the main thread's stop (RevisarAyudante), nothing else.
bool EsAyudante();
void RevisarAyudante();

// A depth another thread is searching already, where a helper about to choose its next
// depth should not go; the root's search at a depth says when it starts and ends.
void EntrarProfundidad(int d);
void SalirProfundidad(int d);
