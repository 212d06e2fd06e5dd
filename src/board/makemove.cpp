// Make and unmake. Make keeps the key, castling states, en passant pawn, clock, piece counts
// and the repetition list current; unmake restores the board by reversing the move and
// everything else from the undo entry.
#include "board/board.h"

#include <cstddef>
#include <cstring>

namespace {

inline u64 ClaveEnroqueBlancas(int estado) { return zobrist_Tablero[7][63 - estado]; }
inline u64 ClaveEnroqueNegras(int estado) { return zobrist_Tablero[7][estado]; }

// The count a piece code stands for in its side record, or nullptr for kings and non-pieces.
// (Codes come from 4-bit fields of a move word: a table, not a chain of tests. It holds members,
// not addresses: every search thread has its own side records.)
inline i32* Contador(int codigo) {
    using Campo = i32 DatosBando::*;
    static constexpr Campo CAMPOS[16] = {
        nullptr, &DatosBando::NumPeones, &DatosBando::NumCaballos, &DatosBando::NumAlfiles, &DatosBando::NumTorres,
        &DatosBando::NumDamas, nullptr, nullptr, &DatosBando::NumPeones, &DatosBando::NumCaballos,
        &DatosBando::NumAlfiles, &DatosBando::NumTorres, &DatosBando::NumDamas, nullptr, nullptr, nullptr};
    const Campo c = CAMPOS[codigo & 15];
    if (!c) return nullptr;
    DatosBando& bando = codigo & 8 ? Negras : Blancas;  // (GCC copies the record in `(a ? b : c).*m`)
    return &(bando.*c);
}

inline bool EsCoronacionValida(int c) { return (c >= CABALLO_B && c <= DAMA_B) || (c >= CABALLO_N && c <= DAMA_N); }

// Castling rights a move takes away, as bits of the castling state (1 short, 2 long) with
// White's in bits 0-1 and Black's in bits 2-3, by piece code and square: a king's move takes
// both rights of its side wherever he stands; a rook leaving its corner, or captured on it,
// takes the right of that corner. The piece counts as well as the square because a FEN may
// grant a right whose king or rook is not at home. The states after castling (4 and 5) have
// no rights to lose.
constexpr int CORTO_B = 1, LARGO_B = 2, CORTO_N = 4, LARGO_N = 8;
struct TablaPerdidas {
    u8 m[16][64];
};
constexpr TablaPerdidas PERDIDA_ENROQUE = [] {
    TablaPerdidas t{};
    for (int s = 0; s < 64; s++) {
        t.m[REY_B][s] = CORTO_B | LARGO_B;
        t.m[REY_N][s] = CORTO_N | LARGO_N;
    }
    t.m[TORRE_B][H1] = CORTO_B;
    t.m[TORRE_B][A1] = LARGO_B;
    t.m[TORRE_N][H8] = CORTO_N;
    t.m[TORRE_N][A8] = LARGO_N;
    return t;
}();

inline void QuitarDerechos(int perdidas, u64& hash) {
    TipoTablero& T = TableroGlobal;
    if (const int antes = T.EnroqueBlancas; antes <= 3) {
        T.EnroqueBlancas = antes & ~(perdidas & 3);
        hash ^= ClaveEnroqueBlancas(antes) ^ ClaveEnroqueBlancas(T.EnroqueBlancas);
    }
    if (const int antes = T.EnroqueNegras; antes <= 3) {
        T.EnroqueNegras = antes & ~(perdidas >> 2);
        hash ^= ClaveEnroqueNegras(antes) ^ ClaveEnroqueNegras(T.EnroqueNegras);
    }
}

// Each castling by the king's destination: the rook's move and the state it leaves (4 after
// the long castling, 5 after the short one).
struct DatosEnroque {
    int torreDesde, torreHasta, torre, estado;
};
inline const DatosEnroque* BuscarEnroque(int destinoRey) {
    static constexpr DatosEnroque LARGO_NEGRAS = {A8, D8, TORRE_N, 4}, CORTO_NEGRAS = {H8, F8, TORRE_N, 5},
                                  LARGO_BLANCAS = {A1, D1, TORRE_B, 4}, CORTO_BLANCAS = {H1, F1, TORRE_B, 5};
    switch (destinoRey) {
        case C8: return &LARGO_NEGRAS;
        case G8: return &CORTO_NEGRAS;
        case C1: return &LARGO_BLANCAS;
        case G1: return &CORTO_BLANCAS;
        default: return nullptr;
    }
}

// The undo entry at Ply, for the move j about to be made (or passed over as if made).
inline void GuardarEstado(Jugada j) {
    TipoTablero& T = TableroGlobal;
    T.Historial[T.Ply] = {T.Hash,          j,           T.PosicionReyBlanco, T.PosicionReyNegro, T.EnroqueBlancas,
                          T.EnroqueNegras, T.FichaAlPaso, T.Regla50,         T.NumeroRepeticiones};
}

// Castling: the rook's half of the move, the king's square and the castled state.
inline void Enrocar(int destinoRey, u64& hash) {
    TipoTablero& T = TableroGlobal;
    const DatosEnroque* e = BuscarEnroque(destinoRey);
    if (!e) {
        Salir = 1;  // no castling lands there
        return;
    }
    PonerCasilla(T, e->torreDesde, VACIA);
    PonerCasilla(T, e->torreHasta, e->torre);
    hash ^= zobrist_Tablero[e->torre][e->torreDesde] ^ zobrist_Tablero[e->torre][e->torreHasta];
    if (e->torre == TORRE_B) {
        hash ^= ClaveEnroqueBlancas(T.EnroqueBlancas) ^ ClaveEnroqueBlancas(e->estado);
        T.EnroqueBlancas = e->estado;
        T.PosicionReyBlanco = destinoRey;
    } else {
        hash ^= ClaveEnroqueNegras(T.EnroqueNegras) ^ ClaveEnroqueNegras(e->estado);
        T.EnroqueNegras = e->estado;
        T.PosicionReyNegro = destinoRey;
    }
}

// Any other move: the rights it takes away and, for a king, his new square. Most moves have
// no entry in the table: only a king's move (every one) and a rook's on a corner have.
inline void ActualizarReyYDerechos(int pieza, int o, int d, int capturada, u64& hash) {
    TipoTablero& T = TableroGlobal;
    // Codes are 4 bits wide in a move word; the board holds no other (the mask only guards
    // the table against a board no position reaches).
    const int perdidas = PERDIDA_ENROQUE.m[pieza & 15][o] | PERDIDA_ENROQUE.m[capturada][d];
    if (perdidas == 0) return;
    QuitarDerechos(perdidas, hash);
    if (pieza == REY_B) T.PosicionReyBlanco = d;
    else if (pieza == REY_N) T.PosicionReyNegro = d;
}

inline void MoverPieza(int pieza, int o, int d, u64& hash) {
    TipoTablero& T = TableroGlobal;
    PonerCasilla(T, d, pieza);
    PonerCasilla(T, o, VACIA);
    if (pieza >= 0 && pieza < 14) hash ^= zobrist_Tablero[pieza][o] ^ zobrist_Tablero[pieza][d];
}

// The pawn that may now be taken en passant, and the pawn taken that way.
inline void ActualizarAlPaso(Jugada j, bool negras, u64& hash) {
    TipoTablero& T = TableroGlobal;
    const int epAntes = T.FichaAlPaso;
    if (AvanceDoble(j)) {
        T.FichaAlPaso = Destino(j);
    } else if (AlPaso(j) && epAntes != 0) {
        const int peon = T.Tablero[epAntes];
        PonerCasilla(T, epAntes, VACIA);
        if (peon >= 0 && peon < 14 && peon != VACIA) hash ^= zobrist_Tablero[peon][epAntes];
        (negras ? Blancas : Negras).NumPeones--;
        T.FichaAlPaso = 0;
    } else {
        T.FichaAlPaso = 0;
    }
    if (epAntes != T.FichaAlPaso) {
        if (epAntes) hash ^= zobrist_Tablero[0][epAntes];
        if (T.FichaAlPaso) hash ^= zobrist_Tablero[0][T.FichaAlPaso];
    }
}

inline void QuitarCapturada(int capturada, int d, u64& hash) {
    if (capturada == SIN_PIEZA) return;
    if (i32* n = Contador(capturada)) {
        hash ^= zobrist_Tablero[capturada][d];
        (*n)--;
    } else {
        Salir = 1;  // a king, an empty square or no piece at all
    }
}

inline void Coronar(int coronacion, int d, bool negras, u64& hash) {
    if (coronacion == SIN_PIEZA) return;
    if (!EsCoronacionValida(coronacion)) {
        Salir = 1;
        return;
    }
    const int peon = negras ? PEON_N : PEON_B;
    PonerCasilla(TableroGlobal, d, coronacion);
    hash ^= zobrist_Tablero[peon][d] ^ zobrist_Tablero[coronacion][d];
    (negras ? Negras : Blancas).NumPeones--;
    (*Contador(coronacion))++;
}

// The new key, recorded for repetitions; the turn passes; the half-move clock.
inline void CerrarJugada(Jugada j, u64 hash) {
    TipoTablero& T = TableroGlobal;
    hash ^= zobrist_Turno;
    T.Hash = hash;
    if (T.NumeroRepeticiones < LIMITE_REPETICIONES) T.Repeticiones[T.NumeroRepeticiones++] = hash;
    if (T.Ply < MAX_PLY - 1) T.Ply++;
    T.Turno = 1 - T.Turno;
    if (Pieza(j) == PEON_B || Pieza(j) == PEON_N || Capturada(j) != SIN_PIEZA || AlPaso(j)) T.Regla50 = 0;
    else T.Regla50++;
}

// Plays j: everything make move does but the legality test. True when Black moved.
inline bool Mover(Jugada j) {
    GuardarEstado(j);
    const int o = Origen(j), d = Destino(j);
    const bool negras = Pieza(j) > REY_B;
    const int pieza = TableroGlobal.Tablero[o];
    u64 hash = TableroGlobal.Hash;
    if (Enroque(j)) Enrocar(d, hash);
    else ActualizarReyYDerechos(pieza, o, d, Capturada(j), hash);
    MoverPieza(pieza, o, d, hash);
    ActualizarAlPaso(j, negras, hash);
    QuitarCapturada(Capturada(j), d, hash);
    Coronar(Coronacion(j), d, negras, hash);
    CerrarJugada(j, hash);
    COMPROBAR_TABLERO();
    return negras;
}

}  // namespace

int HacerMovimiento(Jugada j) {
    const TipoTablero& T = TableroGlobal;
    return Mover(j) ? !JaqueNegras(T.PosicionReyNegro) : !JaqueBlancas(T.PosicionReyBlanco);
}

int HacerMovimientoSinJaque(Jugada j) {
    const TipoTablero& T = TableroGlobal;
    const int pieza = T.Tablero[Origen(j)];
    const bool negras = Mover(j);
    const int rey = negras ? T.PosicionReyNegro : T.PosicionReyBlanco;
    // A king move (castling too) or an en passant capture (two squares emptied) takes the full test.
    int expuesto;
    if (pieza == REY_B || pieza == REY_N || AlPaso(j)) {
        expuesto = negras ? JaqueNegras(rey) : JaqueBlancas(rey);
    } else {
        expuesto = ReyExpuesto(rey, Origen(j), !negras);
        COMPROBAR(expuesto == (negras ? JaqueNegras(rey) : JaqueBlancas(rey)));
    }
    return !expuesto;
}

bool PuedeEvitarJaque(const InfoJaque& info, Jugada j) {
    const int pieza = TableroGlobal.Tablero[Origen(j)];
    if (info.atacantes == 0 || pieza == REY_B || pieza == REY_N || AlPaso(j)) return true;
    const bool puede = info.atacantes == 1 && ((info.respuestas >> Destino(j)) & 1);
#ifdef VEMSUL_CHECK_BOARD
    if (!puede) {
        assert(!HacerMovimiento(j));
        DeshacerMovimiento();
    }
#endif
    return puede;
}

u64 ClavePrevista(Jugada j) {
    const TipoTablero& T = TableroGlobal;
    const int o = Origen(j), d = Destino(j), pieza = Pieza(j), cap = Capturada(j), cor = Coronacion(j);
    if (o > 63 || d > 63) return T.Hash;  // no move word of a position
    const int llega = cor != SIN_PIEZA ? cor : pieza;
    u64 clave = T.Hash ^ zobrist_Turno;
    if (pieza < 14 && llega < 14) clave ^= zobrist_Tablero[pieza][o] ^ zobrist_Tablero[llega][d];
    if (cap < 14) clave ^= zobrist_Tablero[cap][d];
    const int ep = T.FichaAlPaso;
    if (ep) {
        clave ^= zobrist_Tablero[0][ep];
        if (AlPaso(j)) clave ^= zobrist_Tablero[pieza > REY_B ? PEON_B : PEON_N][ep];
    }
    if (AvanceDoble(j)) clave ^= zobrist_Tablero[0][d];
    return clave;
}

#ifdef VEMSUL_CHECK_BOARD
namespace {
// Making and unmaking j must leave everything as passing over it does: the undo entry at Ply
// written, the rest as it was, the repetition count included (a full list too). Of the key
// slots only the one just above the count may be written, which holds nothing.
void ComprobarDescarte(Jugada j) {
    constexpr size_t lista = offsetof(TipoTablero, Repeticiones), tras = offsetof(TipoTablero, NumeroRepeticiones);
    static POR_HILO char antes[sizeof(TipoTablero)];  // static: the record is large
    const char* t = reinterpret_cast<const char*>(&TableroGlobal);
    const DatosBando blancas = Blancas, negras = Negras;
    GuardarEstado(j);
    std::memcpy(antes, t, lista);
    std::memcpy(antes + tras, t + tras, sizeof(TipoTablero) - tras);
    HacerMovimiento(j);
    DeshacerMovimiento();
    assert(std::memcmp(antes, t, lista) == 0 && std::memcmp(antes + tras, t + tras, sizeof(TipoTablero) - tras) == 0);
    assert(std::memcmp(&blancas, &Blancas, sizeof blancas) == 0 && std::memcmp(&negras, &Negras, sizeof negras) == 0);
}
}  // namespace
#endif

void DescartarMovimiento(Jugada j) {
#ifdef VEMSUL_CHECK_BOARD
    ComprobarDescarte(j);
#endif
    GuardarEstado(j);
}

void DeshacerMovimiento() {
    TipoTablero& T = TableroGlobal;
    i32* tab = T.Tablero;
    const EntradaHistorial& h = T.Historial[T.Ply > 0 ? T.Ply - 1 : 0];
    const Jugada j = h.Jugada;
    // The list holds exactly what the make left: its key, unless the list was full.
    COMPROBAR(T.NumeroRepeticiones == h.NumeroRepeticiones + (h.NumeroRepeticiones < LIMITE_REPETICIONES) &&
              (h.NumeroRepeticiones == LIMITE_REPETICIONES || T.Repeticiones[T.NumeroRepeticiones - 1] == T.Hash));
    T.NumeroRepeticiones = h.NumeroRepeticiones;
    if (T.Ply > 0) T.Ply--;
    T.Turno = 1 - T.Turno;
    const int o = Origen(j), d = Destino(j);
    const bool negras = Pieza(j) > REY_B;

    if (Enroque(j)) {
        if (const DatosEnroque* e = BuscarEnroque(d)) {
            PonerCasilla(T, e->torreHasta, VACIA);
            PonerCasilla(T, e->torreDesde, e->torre);
        } else {
            Salir = 1;
        }
    }

    PonerCasilla(T, o, tab[d]);
    PonerCasilla(T, d, VACIA);

    const int cap = Capturada(j);
    if (AlPaso(j) && h.FichaAlPaso != 0) {
        PonerCasilla(T, h.FichaAlPaso, negras ? PEON_B : PEON_N);
        (negras ? Blancas : Negras).NumPeones++;
    } else if (cap != SIN_PIEZA) {
        if (cap >= PEON_B && cap <= REY_N && cap != VACIA) PonerCasilla(T, d, cap);
        if (i32* n = Contador(cap)) (*n)++;
        else Salir = 1;
    }

    const int cor = Coronacion(j);
    if (cor != SIN_PIEZA && EsCoronacionValida(cor)) {
        PonerCasilla(T, o, negras ? PEON_N : PEON_B);
        (negras ? Negras : Blancas).NumPeones++;
        (*Contador(cor))--;
    }

    T.Hash = h.Hash;
    T.PosicionReyBlanco = h.PosicionReyBlanco;
    T.PosicionReyNegro = h.PosicionReyNegro;
    T.EnroqueBlancas = h.EnroqueBlancas;
    T.EnroqueNegras = h.EnroqueNegras;
    T.FichaAlPaso = h.FichaAlPaso;
    T.Regla50 = h.Regla50;
    COMPROBAR_TABLERO();
}

void HacerMovimientoNull() {
    TipoTablero& T = TableroGlobal;
    EntradaHistorial& h = T.Historial[T.Ply];
    // The move word of the entry is left as it was.
    h.Hash = T.Hash;
    h.PosicionReyBlanco = T.PosicionReyBlanco;
    h.PosicionReyNegro = T.PosicionReyNegro;
    h.EnroqueBlancas = T.EnroqueBlancas;
    h.EnroqueNegras = T.EnroqueNegras;
    h.FichaAlPaso = T.FichaAlPaso;
    h.Regla50 = T.Regla50;
    h.NumeroRepeticiones = T.NumeroRepeticiones;
    T.Hash ^= zobrist_Turno;
    if (T.FichaAlPaso != 0) {
        T.Hash ^= zobrist_Tablero[0][T.FichaAlPaso];
        T.FichaAlPaso = 0;
    }
    T.Regla50++;
    T.Turno = 1 - T.Turno;
    if (T.Ply < MAX_PLY - 1) T.Ply++;
    if (T.NumeroRepeticiones < LIMITE_REPETICIONES) T.Repeticiones[T.NumeroRepeticiones++] = T.Hash;
}

void DeshacerMovimientoNull() {
    TipoTablero& T = TableroGlobal;
    if (T.Ply > 0) T.Ply--;
    T.Turno = 1 - T.Turno;
    const EntradaHistorial& h = T.Historial[T.Ply];
    COMPROBAR(T.NumeroRepeticiones == h.NumeroRepeticiones + (h.NumeroRepeticiones < LIMITE_REPETICIONES));
    T.NumeroRepeticiones = h.NumeroRepeticiones;
    T.Hash = h.Hash;
    T.PosicionReyBlanco = h.PosicionReyBlanco;
    T.PosicionReyNegro = h.PosicionReyNegro;
    T.EnroqueBlancas = h.EnroqueBlancas;
    T.EnroqueNegras = h.EnroqueNegras;
    T.FichaAlPaso = h.FichaAlPaso;
    T.Regla50 = h.Regla50;
}

