// Pseudo-legal move generation. The list order is fixed (square scan, then a fixed direction
// order per piece): perft divide output and the tie-breaks of move ordering follow it.
// Legality is settled by make move; only castling tests attacked squares here.
#include "board/geometry.h"

namespace {

// The most moves one man can add: a queen's 27 (a rook's 14 and a bishop's 13). A pawn adds
// at most 13 (an en passant capture, two capturing promotions and a pushing one), a king 10.
constexpr int MAX_POR_PIEZA = 27;

// Appends without a capacity test: before each man the generator makes sure that
// MAX_POR_PIEZA entries are still free (see GenerarBando). It also carries the occupied
// squares and those of the opponent's men as bit masks (bit s for square s).
struct Lista {
    EntradaLista* e;
    int n;
    u64 ocupadas;
    u64 enemigas;
    void Anadir(Jugada j) { e[n++].Jugada = j; }
};

// Target rule for pieces: White may land on codes above 6 (empty or black), Black below 8.
template <bool Blanco>
inline bool Destinable(int c) {
    if constexpr (Blanco) return c > REY_B;
    else return c < PEON_N;
}

// A usable target: a quiet move when empty (unless only captures are wanted), else a capture.
template <bool SoloCapturas>
inline void Objetivo(Lista& l, int desde, int hasta, int pieza, int c) {
    if (c == VACIA) {
        if (!SoloCapturas) l.Anadir(CrearJugada(desde, hasta, pieza, SIN_PIEZA));
    } else {
        l.Anadir(CrearJugada(desde, hasta, pieza, c));
    }
}

// Queen, rook and bishop promotions come before the knight in every mode.
inline void AddMoveCoronacion(Lista& l, const i32* tab, int desde, int hasta) {
    const int pieza = tab[desde];
    const int c = tab[hasta];
    const int capturada = c == VACIA ? SIN_PIEZA : c;
    const int base = pieza == PEON_B ? 0 : 7;
    l.Anadir(CrearJugada(desde, hasta, pieza, capturada, DAMA_B + base));
    l.Anadir(CrearJugada(desde, hasta, pieza, capturada, TORRE_B + base));
    l.Anadir(CrearJugada(desde, hasta, pieza, capturada, ALFIL_B + base));
    l.Anadir(CrearJugada(desde, hasta, pieza, capturada, CABALLO_B + base));
}

template <bool Blanco, bool SoloCapturas>
void ObtenerMovimientoPeon(Lista& l, const i32* tab, int desde, int pieza) {
    // White moves towards lower indices; Black mirrors every offset. The capture towards
    // capIzq goes one file right for White (-7) and one file left for Black (+7).
    constexpr int adelante = Blanco ? -8 : 8;
    constexpr int capIzq = Blanco ? -7 : 7;
    constexpr int capDer = Blanco ? -9 : 9;
    constexpr int ladoIzq = Blanco ? 1 : -1;  // the en passant pawn beside us for a capIzq capture
    constexpr int ladoDer = Blanco ? -1 : 1;
    const int fila = desde >> 3, col = desde & 7;
    // A pawn on the last row (only a board no game reaches) has no move forwards.
    const bool puedeAvanzar = Blanco ? fila > 0 : fila < 7;
    const bool izqDentro = puedeAvanzar && (Blanco ? col < 7 : col > 0);
    const bool derDentro = puedeAvanzar && (Blanco ? col > 0 : col < 7);
    const bool enSeptima = Blanco ? fila == 1 : fila == 6;
    const bool enSegunda = Blanco ? fila == 6 : fila == 1;

    // En passant, generated in every mode. Only a real enemy pawn on the en passant square
    // can be taken: a FEN may name a square without one.
    const int ep = TableroGlobal.FichaAlPaso;

    if (ep != 0 && tab[ep] == (Blanco ? PEON_N : PEON_B)) {
        if (ep == desde + ladoIzq && izqDentro)
            l.Anadir(CrearJugada(desde, desde + capIzq, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ALPASO));
        if (ep == desde + ladoDer && derDentro)
            l.Anadir(CrearJugada(desde, desde + capDer, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ALPASO));
    }

    if (izqDentro) {
        const int c = tab[desde + capIzq];
        if (Blanco ? c > VACIA : c < VACIA) {
            if (enSeptima) AddMoveCoronacion(l, tab, desde, desde + capIzq);
            else l.Anadir(CrearJugada(desde, desde + capIzq, pieza, c));
        }
    }
    if (derDentro) {
        const int c = tab[desde + capDer];
        if (Blanco ? c > VACIA : c < VACIA) {
            if (enSeptima) AddMoveCoronacion(l, tab, desde, desde + capDer);
            else l.Anadir(CrearJugada(desde, desde + capDer, pieza, c));
        }
    }

    const int t = desde + adelante;
    if (puedeAvanzar && tab[t] == VACIA) {
        if (enSeptima) AddMoveCoronacion(l, tab, desde, t);
        else if (!SoloCapturas) l.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA));
        if (!SoloCapturas && enSegunda && tab[t + adelante] == VACIA)
            l.Anadir(CrearJugada(desde, t + adelante, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE));
    }
}

// For captures only: a pawn with nothing to take, no promotion and no en passant capture at
// hand, as most pawns are, has no move.
template <bool Blanco>
inline bool PeonSinCapturas(const Lista& l, int desde) {
    const int fila = desde >> 3;
    if (fila == (Blanco ? 1 : 6) || (GEOMETRIA.capturasPeon[Blanco][desde] & l.enemigas)) return false;
    const int ep = TableroGlobal.FichaAlPaso;
    return ep == 0 || (ep != desde + 1 && ep != desde - 1);
}

// Knight and king steps: the geometry table lists the targets on the board in the fixed order.
// For captures only, a man with no enemy on any of them is passed over at once.
template <bool Blanco, bool SoloCapturas>
inline void Saltos(Lista& l, const i32* tab, int desde, int pieza, const Destinos& destinos, u64 alcance) {
    if (SoloCapturas && !(alcance & l.enemigas)) return;
    for (int k = 0; k < destinos.n; k++) {
        const int t = destinos.casilla[k];
        const int c = tab[t];
        if (Destinable<Blanco>(c)) Objetivo<SoloCapturas>(l, desde, t, pieza, c);
    }
}

// One line of a slider: the empty squares up to the first man met, then that man if he is an
// enemy. For captures only, the first man is found from the occupied squares without walking.
template <bool Blanco, bool SoloCapturas, int dir>
inline void Rayo(Lista& l, const i32* tab, int desde, int pieza) {
    constexpr int d = PASO_DIRECCION[dir];
    if constexpr (SoloCapturas) {
        const int t = PrimeraOcupada(l.ocupadas, desde, dir);
        if (t < 0) return;
        const int c = tab[t];
        if (Destinable<Blanco>(c)) l.Anadir(CrearJugada(desde, t, pieza, c));
    } else {
        int t = desde;
        for (int n = GEOMETRIA.largo[desde][dir]; n > 0; n--) {
            t += d;
            const int c = tab[t];
            if (c == VACIA) {
                l.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA));
                continue;
            }
            if (Destinable<Blanco>(c)) l.Anadir(CrearJugada(desde, t, pieza, c));
            return;
        }
    }
}

// Bishop rays in the order +9, +7, -7, -9; rook rays +8, -8, -1, +1. For captures only, a
// slider with no enemy anywhere on its lines is passed over at once.
template <bool Blanco, bool SoloCapturas>
void ObtenerMovimientoAlfil(Lista& l, const i32* tab, int desde, int pieza) {
    if (SoloCapturas && !(GEOMETRIA.diagonales[desde] & l.enemigas)) return;
    Rayo<Blanco, SoloCapturas, DIR_P9>(l, tab, desde, pieza);
    Rayo<Blanco, SoloCapturas, DIR_P7>(l, tab, desde, pieza);
    Rayo<Blanco, SoloCapturas, DIR_M7>(l, tab, desde, pieza);
    Rayo<Blanco, SoloCapturas, DIR_M9>(l, tab, desde, pieza);
}

template <bool Blanco, bool SoloCapturas>
void ObtenerMovimientoTorre(Lista& l, const i32* tab, int desde, int pieza) {
    if (SoloCapturas && !(GEOMETRIA.lineas[desde] & l.enemigas)) return;
    Rayo<Blanco, SoloCapturas, DIR_P8>(l, tab, desde, pieza);
    Rayo<Blanco, SoloCapturas, DIR_M8>(l, tab, desde, pieza);
    Rayo<Blanco, SoloCapturas, DIR_M1>(l, tab, desde, pieza);
    Rayo<Blanco, SoloCapturas, DIR_P1>(l, tab, desde, pieza);
}

template <bool Blanco, bool SoloCapturas>
void ObtenerMovimientoRey(Lista& l, const i32* tab, int desde, int pieza) {
    if (!SoloCapturas) {
        const TipoTablero& T = TableroGlobal;
        constexpr int casa = Blanco ? E1 : E8;
        constexpr int torre = Blanco ? TORRE_B : TORRE_N;
        const int estado = Blanco ? T.EnroqueBlancas : T.EnroqueNegras;
        if (desde == casa && tab[casa] == pieza) {
            if ((estado == 1 || estado == 3) && tab[desde + 1] == VACIA && tab[desde + 2] == VACIA &&
                tab[desde + 3] == torre && !Jaque2(desde) && !Jaque2(desde + 1))
                l.Anadir(CrearJugada(desde, desde + 2, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ENROQUE));
            // b1 (b8) must be empty but may be attacked.
            if ((estado == 2 || estado == 3) && tab[desde - 1] == VACIA && tab[desde - 2] == VACIA &&
                tab[desde - 3] == VACIA && tab[desde - 4] == torre && !Jaque2(desde) && !Jaque2(desde - 1))
                l.Anadir(CrearJugada(desde, desde - 2, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ENROQUE));
        }
    }
    Saltos<Blanco, SoloCapturas>(l, tab, desde, pieza, GEOMETRIA.rey[desde], GEOMETRIA.pasosRey[desde]);
}

// The moves of the man with code c on square s; false for a code that cannot occur.
template <bool Blanco, bool SoloCapturas>
inline bool GenerarPieza(Lista& l, const i32* tab, int s, int c) {
    switch (Blanco ? c : c - 7) {  // piece kind 1..6
        case PEON_B:
            if (!SoloCapturas || !PeonSinCapturas<Blanco>(l, s))
                ObtenerMovimientoPeon<Blanco, SoloCapturas>(l, tab, s, c);
            return true;
        case CABALLO_B:
            Saltos<Blanco, SoloCapturas>(l, tab, s, c, GEOMETRIA.caballo[s], GEOMETRIA.saltosCaballo[s]);
            return true;
        case ALFIL_B: ObtenerMovimientoAlfil<Blanco, SoloCapturas>(l, tab, s, c); return true;
        case TORRE_B: ObtenerMovimientoTorre<Blanco, SoloCapturas>(l, tab, s, c); return true;
        case DAMA_B:
            ObtenerMovimientoTorre<Blanco, SoloCapturas>(l, tab, s, c);
            ObtenerMovimientoAlfil<Blanco, SoloCapturas>(l, tab, s, c);
            return true;
        case REY_B: ObtenerMovimientoRey<Blanco, SoloCapturas>(l, tab, s, c); return true;
        default: return false;  // White: code 0 or below; Black: above 13
    }
}

template <bool Blanco, bool SoloCapturas>
int GenerarBando(EntradaLista* lista) {
    const i32* tab = TableroGlobal.Tablero;
    // Only squares holding our men (or impossible codes) are visited, Black from a8 to h1,
    // White from h1 to a8. Our targets are the squares above 7 for White, below 7 for Black.
    const MascarasTablero m = LeerMascaras();
    Lista l{lista, 0, m.bajas | m.altas, Blanco ? m.altas : m.bajas};
    u64 casillas = Blanco ? m.bajas : m.altas;
    while (casillas) {
        int s;
        if constexpr (Blanco) {
            s = 63 - __builtin_clzll(casillas);
            casillas ^= u64(1) << s;
        } else {
            s = __builtin_ctzll(casillas);
            casillas &= casillas - 1;
        }
        const int c = tab[s];
        if (l.n <= MAX_JUGADAS - MAX_POR_PIEZA) {
            if (!GenerarPieza<Blanco, SoloCapturas>(l, tab, s, c)) Salir = 1;
            continue;
        }
        // Near the end of the list (a board no game reaches): this man's moves go to a scratch
        // list and only those that fit are kept. The count runs on, so the overflow is seen.
        EntradaLista aparte[MAX_POR_PIEZA];
        Lista a{aparte, 0, l.ocupadas, l.enemigas};
        if (!GenerarPieza<Blanco, SoloCapturas>(a, tab, s, c)) Salir = 1;
        for (int k = 0; k < a.n; k++)
            if (l.n + k < MAX_JUGADAS) lista[l.n + k].Jugada = aparte[k].Jugada;
        l.n += a.n;
    }
    return l.n;
}

}  // namespace

int GenerarMovimientos(int ModoGeneracion, EntradaLista* lista) {
    const bool capturas = ModoGeneracion == GENERAR_CAPTURAS;
    int n;
    if (TableroGlobal.Turno == 0) {
        n = capturas ? GenerarBando<false, true>(lista) : GenerarBando<false, false>(lista);
    } else if (TableroGlobal.Turno == 1) {
        n = capturas ? GenerarBando<true, true>(lista) : GenerarBando<true, false>(lista);
    } else {
        Salir = 1;
        return 0;
    }
    if (n >= MAX_JUGADAS) {
        Salir = 1;
        n = MAX_JUGADAS;
    }
    return n;
}
