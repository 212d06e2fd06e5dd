// The transposition table, which shares its memory budget with the evaluation cache.
#pragma once

#include "board/board.h"
#include "eval/cache.h"
#include "resto.h"

// Bound kinds of an entry.
enum : int { COTA_VACIA = 0, Exacta = 1, CotaSuperior = 2, CotaInferior = 3 };

// An entry as the search reads and writes it.
struct EntradaTT {
    u64 Clave;        // the full key; the only verification
    u32 Jugada;       // best or refuting move, 0 = none
    i16 Puntuacion;   // mate scores stored relative to the node
    u16 Empaquetado;  // bits 0-6 depth, 7-13 generation, 14-15 bound
};
static_assert(sizeof(EntradaTT) == 16);
// An entry as the table holds it: every search thread reads and writes the table without a
// lock, so the key word holds the key XOR the data word. A slot written by two threads at once
// then fails the check instead of pairing one position's key with another's data.
struct RanuraTT {
    u64 claveMezclada, datos;
};
static_assert(sizeof(RanuraTT) == sizeof(EntradaTT));
constexpr int CAMPO_TT = 127;  // depth and generation take 7 bits each
constexpr int DESPLAZA_GENERACION = 7, DESPLAZA_COTA = 14;

struct RegistroTT {
    i32 MegasTT;        // megabytes of the transposition table
    i32 MegasCache;     // megabytes of the evaluation cache; 0 = no cache
    i32 EntradasTT;     // index modulus of the table
    i32 EntradasCache;  // index modulus of the cache
    i32 Escrituras;     // stores since the last search ended, for "hashfull"
    i32 Generacion;     // search generation 0..127
};

extern RegistroTT TT_Opciones;
extern RanuraTT* TT_Datos;

// Indexed by the remainder of the key (not a mask).
extern POR_HILO Divisor DivisorTT;

inline RanuraTT* EntradaTTActual() {
    return EntradaDeClave(TT_Datos, TT_Datos != nullptr, TableroGlobal.Hash, DivisorTT);
}

// Ask for the current position's entries (table and cache) early, as PrecargarCache does.
[[gnu::always_inline]] inline void PrecargarEntradas() {
    if (RanuraTT* e = EntradaTTActual()) __builtin_prefetch(e);
    PrecargarCache();
}
// The same for the position after a move not yet made (its key from ClavePrevista).
[[gnu::always_inline]] inline void PrecargarEntradas(u64 clave) {
    PrecargarClave(TT_Datos, TT_Datos != nullptr, clave, DivisorTT);
    PrecargarCache(clave);
}

inline int ProfundidadTT(const EntradaTT& e) { return e.Empaquetado & CAMPO_TT; }
inline int CotaTT(const EntradaTT& e) { return e.Empaquetado >> DESPLAZA_COTA; }

// Sizes, frees, allocates and clears the table and the evaluation cache for a "Hash" value
// in megabytes. False (and Salir set) when the memory could not be had.
bool CrearTransposicion(int megas);
// The same, unless the tables in place already have the sizes `megas` gives: then they are
// kept with their contents (and TT_Opciones shows their sizes again).
bool PrepararTransposicion(int megas);
void LimpiarTransposicion();
void LiberarTransposicion();
// Sizing only (no allocation): what CrearTransposicion would set in TT_Opciones.
void DimensionarTransposicion(int megas, RegistroTT& r);

void AlmacenarPosicion(int profundidad, int puntuacion, int cota, Jugada jugada);
int RecuperarPosicion(int alpha, int beta, const int& profundidad, int& puntuacion, Jugada& jugada);
Jugada RecuperarMovimientoHash();
bool CancelarNull(int alpha, int profundidadNull);
int ObtenerHashCompleto();
void AvanzarGeneracion();  // end of a search: new generation, the table cleared every 128th

// Mate scores are kept relative to the node in the table and relative to the root outside.
int AlmacenarPuntosHash(int puntuacion);
int RecuperarPuntosHash(int puntuacion);
