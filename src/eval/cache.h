// The evaluation cache: one entry per index (the remainder of the position key), the newest
// store always wins, no test but the full key. Its memory comes out of the "Hash" budget: the
// transposition table's creation sizes it and calls CrearCacheEval.
#pragma once

#include "board/board.h"
#include "resto.h"

struct EntradaCacheEval {
    u64 Clave;  // 0 when empty: no position has that key
    i16 Puntuacion;
    i8 PasadoBlancas[8];
    i8 PasadoNegras[8];
};
static_assert(sizeof(EntradaCacheEval) == 32);

// A slot as the cache holds it: every search thread reads and writes the cache without a lock,
// so the key word holds the key XOR the other three. A slot two threads write at once then
// fails the check instead of pairing one position's key with another's terms.
struct RanuraCacheEval {
    u64 claveMezclada, datos[3];
};
static_assert(sizeof(RanuraCacheEval) == sizeof(EntradaCacheEval));

extern RanuraCacheEval* TT_Cache;  // the entries (index modulus + 1), null when there are none
extern POR_HILO Divisor DivisorCache;
extern bool CacheEvalActiva;        // the evaluation reads and writes the cache

// Frees any earlier cache and allocates `entradas` + 1 entries, switched on but not yet
// cleared; false when the memory cannot be had.
bool CrearCacheEval(i32 entradas);
void LimpiarCacheEval();  // every entry empty (when the cache is on)
void LiberarCacheEval();
// Leaves the cache unused, its memory kept, until it is created again: a new "Hash" value
// takes effect at the next "isready".
void ApagarCacheEval();
void EncenderCacheEval();  // back in use, as it was left, when "isready" keeps the tables

inline RanuraCacheEval* EntradaCacheActual() {
    return EntradaDeClave(TT_Cache, CacheEvalActiva, TableroGlobal.Hash, DivisorCache);
}

// The slot's entry when it holds the current position, whole; storing one.
bool LeerCacheEval(const RanuraCacheEval* r, EntradaCacheEval& e);
void EscribirCacheEval(RanuraCacheEval* r, const EntradaCacheEval& e);

// Ask for the current position's entry early (just after a move is made), so that the memory
// latency overlaps the work done before it is read. Always inlined: GCC takes a prefetch for
// no effect at all and may drop the call of such a function left out of line.
[[gnu::always_inline]] inline void PrecargarCache() {
    if (RanuraCacheEval* c = EntradaCacheActual()) __builtin_prefetch(c);
}
// The same for the position after a move not yet made (its key from ClavePrevista).
[[gnu::always_inline]] inline void PrecargarCache(u64 clave) {
    PrecargarClave(TT_Cache, CacheEvalActiva, clave, DivisorCache);
}
