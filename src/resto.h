// Remainders by a precomputed reciprocal, for the tables indexed by the position key (the
// transposition table and the evaluation cache): exactly key % n, without a division.
#pragma once

#include "comun.h"

struct Divisor {
    u64 n;
    unsigned __int128 inverso;  // ceil(2^128 / n)
    // The last key divided and its remainder: a node's key is asked for again and again (the
    // entry asked for early just after the move, then read by the node itself).
    mutable u64 ultimaClave, ultimoResto;
};

constexpr Divisor CrearDivisor(u64 n) {
    if (n < 2) n = 2;  // the tables never have fewer than 32768 entries
    // Key 0 is the remainder 0 of any divisor.
    return Divisor{n, ~(unsigned __int128)0 / n + 1, 0, 0};
}

inline u64 Resto(u64 clave, const Divisor& d) {
    if (clave == d.ultimaClave) return d.ultimoResto;
    const unsigned __int128 fraccion = d.inverso * clave;  // modulo 2^128
    const unsigned __int128 bajo = (unsigned __int128)u64(fraccion) * d.n;
    const unsigned __int128 alto = (unsigned __int128)u64(fraccion >> 64) * d.n + (bajo >> 64);
    d.ultimaClave = clave;
    d.ultimoResto = u64(alto >> 64);
    return d.ultimoResto;
}

// The entry of a key-indexed table, or null when the table is not in use. Keys are positive as
// signed numbers; one with the top bit set would give a negative signed remainder, an
// inconsistency that leaves the tables alone and ends the engine.
template <class T>
inline T* EntradaDeClave(T* tabla, bool enUso, u64 clave, const Divisor& d) {
    if (clave >> 63) {
        Salir = 1;
        return nullptr;
    }
    return enUso ? &tabla[Resto(clave, d)] : nullptr;
}

// Asks early for the entry of a key not yet on the board (a move's foreseen key).
template <class T>
[[gnu::always_inline]] inline void PrecargarClave(const T* tabla, bool enUso, u64 clave, const Divisor& d) {
    if (enUso && !(clave >> 63)) __builtin_prefetch(&tabla[Resto(clave, d)]);
}
