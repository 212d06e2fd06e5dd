// Remainders by a precomputed reciprocal, for the tables indexed by the position key (the
// transposition table and the evaluation cache): exactly key % n, without a division.
#pragma once

#include "comun.h"

struct Divisor {
    u64 n;
    unsigned __int128 inverso;  // ceil(2^128 / n)
};

inline Divisor CrearDivisor(u64 n) {
    if (n < 2) n = 2;  // the tables never have fewer than 32768 entries
    return Divisor{n, ~(unsigned __int128)0 / n + 1};
}

inline u64 Resto(u64 clave, const Divisor& d) {
    const unsigned __int128 fraccion = d.inverso * clave;  // modulo 2^128
    const unsigned __int128 bajo = (unsigned __int128)u64(fraccion) * d.n;
    const unsigned __int128 alto = (unsigned __int128)u64(fraccion >> 64) * d.n + (bajo >> 64);
    return u64(alto >> 64);
}
