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
inline i32* Contador(int codigo) {
    DatosBando& b = codigo <= REY_B ? Blancas : Negras;
    switch (codigo) {
        case PEON_B: case PEON_N: return &b.NumPeones;
        case CABALLO_B: case CABALLO_N: return &b.NumCaballos;
        case ALFIL_B: case ALFIL_N: return &b.NumAlfiles;
        case TORRE_B: case TORRE_N: return &b.NumTorres;
        case DAMA_B: case DAMA_N: return &b.NumDamas;
        default: return nullptr;
    }
}

inline bool EsCoronacionValida(int c) { return (c >= CABALLO_B && c <= DAMA_B) || (c >= CABALLO_N && c <= DAMA_N); }

// A rook leaving (or captured on) its corner takes that side's right with it.
inline void QuitarDerechoEsquina(int casilla, u64& hash) {
    TipoTablero& T = TableroGlobal;
    int antes;
    switch (casilla) {
        case H1:
            antes = T.EnroqueBlancas;
            if (antes == 3) T.EnroqueBlancas = 2;
            else if (antes == 1) T.EnroqueBlancas = 0;
            else return;
            hash ^= ClaveEnroqueBlancas(antes) ^ ClaveEnroqueBlancas(T.EnroqueBlancas);
            return;
        case A1:
            antes = T.EnroqueBlancas;
            if (antes == 3) T.EnroqueBlancas = 1;
            else if (antes == 2) T.EnroqueBlancas = 0;
            else return;
            hash ^= ClaveEnroqueBlancas(antes) ^ ClaveEnroqueBlancas(T.EnroqueBlancas);
            return;
        case H8:
            antes = T.EnroqueNegras;
            if (antes == 3) T.EnroqueNegras = 2;
            else if (antes == 1) T.EnroqueNegras = 0;
            else return;
            hash ^= ClaveEnroqueNegras(antes) ^ ClaveEnroqueNegras(T.EnroqueNegras);
            return;
        case A8:
            antes = T.EnroqueNegras;
            if (antes == 3) T.EnroqueNegras = 1;
            else if (antes == 2) T.EnroqueNegras = 0;
            else return;
            hash ^= ClaveEnroqueNegras(antes) ^ ClaveEnroqueNegras(T.EnroqueNegras);
            return;
        default: return;
    }
}

inline void MoverTorreEnroque(int desde, int hasta, int torre, u64& hash) {
    i32* tab = TableroGlobal.Tablero;
    tab[desde] = VACIA;
    tab[hasta] = torre;
    hash ^= zobrist_Tablero[torre][desde] ^ zobrist_Tablero[torre][hasta];
}

// The undo entry at Ply, for the move j about to be made (or passed over as if made).
inline void Guardar(Jugada j) {
    TipoTablero& T = TableroGlobal;
    T.Historial[T.Ply] = {T.Hash,          j,           T.PosicionReyBlanco, T.PosicionReyNegro, T.EnroqueBlancas,
                          T.EnroqueNegras, T.FichaAlPaso, T.Regla50,         T.NumeroRepeticiones};
}

// Plays j: everything make move does but the legality test. True when Black moved.
inline bool Mover(Jugada j) {
    TipoTablero& T = TableroGlobal;
    i32* tab = T.Tablero;
    Guardar(j);
    const int o = Origen(j), d = Destino(j);
    const bool negras = Pieza(j) > REY_B;
    const int pieza = tab[o];
    u64 hash = T.Hash;

    if (Enroque(j)) {
        int antes;
        switch (d) {
            case 2:
                MoverTorreEnroque(A8, 3, TORRE_N, hash);
                antes = T.EnroqueNegras;
                T.EnroqueNegras = 4;
                hash ^= ClaveEnroqueNegras(antes) ^ ClaveEnroqueNegras(4);
                T.PosicionReyNegro = 2;
                break;
            case 6:
                MoverTorreEnroque(H8, 5, TORRE_N, hash);
                antes = T.EnroqueNegras;
                T.EnroqueNegras = 5;
                hash ^= ClaveEnroqueNegras(antes) ^ ClaveEnroqueNegras(5);
                T.PosicionReyNegro = 6;
                break;
            case 58:
                MoverTorreEnroque(A1, 59, TORRE_B, hash);
                antes = T.EnroqueBlancas;
                T.EnroqueBlancas = 4;
                hash ^= ClaveEnroqueBlancas(antes) ^ ClaveEnroqueBlancas(4);
                T.PosicionReyBlanco = 58;
                break;
            case 62:
                MoverTorreEnroque(H1, 61, TORRE_B, hash);
                antes = T.EnroqueBlancas;
                T.EnroqueBlancas = 5;
                hash ^= ClaveEnroqueBlancas(antes) ^ ClaveEnroqueBlancas(5);
                T.PosicionReyBlanco = 62;
                break;
            default: Salir = 1; break;
        }
    } else {
        switch (pieza) {
            case TORRE_B:
                if (o == H1 || o == A1) QuitarDerechoEsquina(o, hash);
                break;
            case TORRE_N:
                if (o == H8 || o == A8) QuitarDerechoEsquina(o, hash);
                break;
            case REY_B:
                if (T.EnroqueBlancas >= 1 && T.EnroqueBlancas <= 3) {
                    hash ^= ClaveEnroqueBlancas(T.EnroqueBlancas) ^ ClaveEnroqueBlancas(0);
                    T.EnroqueBlancas = 0;
                }
                T.PosicionReyBlanco = d;
                break;
            case REY_N:
                if (T.EnroqueNegras >= 1 && T.EnroqueNegras <= 3) {
                    hash ^= ClaveEnroqueNegras(T.EnroqueNegras) ^ ClaveEnroqueNegras(0);
                    T.EnroqueNegras = 0;
                }
                T.PosicionReyNegro = d;
                break;
            default: break;
        }
        // A rook captured on its own corner takes the castling right of that corner with it.
        const int cap = Capturada(j);
        if ((cap == TORRE_B && (d == H1 || d == A1)) || (cap == TORRE_N && (d == H8 || d == A8)))
            QuitarDerechoEsquina(d, hash);
    }

    tab[d] = pieza;
    tab[o] = VACIA;
    if (pieza >= 0 && pieza < 14) hash ^= zobrist_Tablero[pieza][o] ^ zobrist_Tablero[pieza][d];

    const int epAntes = T.FichaAlPaso;
    if (AvanceDoble(j)) {
        T.FichaAlPaso = d;
    } else if (AlPaso(j) && epAntes != 0) {
        const int peon = tab[epAntes];
        tab[epAntes] = VACIA;
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

    const int cap = Capturada(j);
    if (cap != SIN_PIEZA) {
        if (i32* n = Contador(cap)) {
            hash ^= zobrist_Tablero[cap][d];
            (*n)--;
        } else {
            Salir = 1;  // a king, an empty square or no piece at all
        }
    }

    const int cor = Coronacion(j);
    if (cor != SIN_PIEZA) {
        if (EsCoronacionValida(cor)) {
            const int peon = negras ? PEON_N : PEON_B;
            tab[d] = cor;
            hash ^= zobrist_Tablero[peon][d] ^ zobrist_Tablero[cor][d];
            (negras ? Negras : Blancas).NumPeones--;
            (*Contador(cor))++;
        } else {
            Salir = 1;
        }
    }

    hash ^= zobrist_Turno;
    T.Hash = hash;
    if (T.NumeroRepeticiones < LIMITE_REPETICIONES) T.Repeticiones[T.NumeroRepeticiones++] = hash;
    if (T.Ply < MAX_PLY - 1) T.Ply++;
    T.Turno = 1 - T.Turno;
    if (Pieza(j) == PEON_B || Pieza(j) == PEON_N || cap != SIN_PIEZA || AlPaso(j)) T.Regla50 = 0;
    else T.Regla50++;

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
    static char antes[sizeof(TipoTablero)];  // static: the record is large
    const char* t = reinterpret_cast<const char*>(&TableroGlobal);
    const DatosBando blancas = Blancas, negras = Negras;
    Guardar(j);
    std::memcpy(antes, t, lista);
    std::memcpy(antes + tras, t + tras, sizeof(TipoTablero) - tras);
    HacerMovimiento(j);
    DeshacerMovimiento();
    assert(std::memcmp(antes, t, lista) == 0 && std::memcmp(antes + tras, t + tras, sizeof(TipoTablero) - tras) == 0);
    assert(Blancas.NumPeones == blancas.NumPeones && Negras.NumPeones == negras.NumPeones &&
           Blancas.NumDamas == blancas.NumDamas && Negras.NumDamas == negras.NumDamas &&
           Blancas.NumTorres == blancas.NumTorres && Negras.NumTorres == negras.NumTorres &&
           Blancas.NumAlfiles == blancas.NumAlfiles && Negras.NumAlfiles == negras.NumAlfiles &&
           Blancas.NumCaballos == blancas.NumCaballos && Negras.NumCaballos == negras.NumCaballos);
}
}  // namespace
#endif

void DescartarMovimiento(Jugada j) {
#ifdef VEMSUL_CHECK_BOARD
    ComprobarDescarte(j);
#endif
    Guardar(j);
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
        switch (d) {
            case 2: tab[3] = VACIA; tab[A8] = TORRE_N; break;
            case 6: tab[5] = VACIA; tab[H8] = TORRE_N; break;
            case 58: tab[59] = VACIA; tab[A1] = TORRE_B; break;
            case 62: tab[61] = VACIA; tab[H1] = TORRE_B; break;
            default: Salir = 1; break;
        }
    }

    tab[o] = tab[d];
    tab[d] = VACIA;

    const int cap = Capturada(j);
    if (AlPaso(j) && h.FichaAlPaso != 0) {
        tab[h.FichaAlPaso] = negras ? PEON_B : PEON_N;
        (negras ? Blancas : Negras).NumPeones++;
    } else if (cap != SIN_PIEZA) {
        if (cap >= PEON_B && cap <= REY_N && cap != VACIA) tab[d] = cap;
        if (i32* n = Contador(cap)) (*n)++;
        else Salir = 1;
    }

    const int cor = Coronacion(j);
    if (cor != SIN_PIEZA && EsCoronacionValida(cor)) {
        tab[o] = negras ? PEON_N : PEON_B;
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

