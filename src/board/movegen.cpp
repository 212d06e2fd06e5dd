// Pseudo-legal move generation. The list order is fixed (square scan, then a fixed direction
// order per piece): perft divide output and the tie-breaks of move ordering follow it.
// Legality is settled by make move; only castling tests attacked squares here.
#include "board/board.h"

namespace {

struct Generador {
    EntradaLista* lista;
    int n;
    int modo;

    // The list holds 255 entries; an impossible board must not write past them.
    void Anadir(Jugada j) {
        if (n < MAX_JUGADAS) lista[n].Jugada = j;
        n++;
    }
};

// Target rule for pieces: White may land on codes above 6 (empty or black), Black below 8.
template <bool Blanco>
inline bool Destinable(int c) {
    if constexpr (Blanco) return c > REY_B;
    else return c < PEON_N;
}

template <bool Blanco>
inline void Objetivo(Generador& g, int desde, int hasta, int pieza) {
    int c = TableroGlobal.Tablero[hasta];
    if (c == VACIA) {
        if (g.modo != GENERAR_CAPTURAS) g.Anadir(CrearJugada(desde, hasta, pieza, SIN_PIEZA));
    } else {
        g.Anadir(CrearJugada(desde, hasta, pieza, c));
    }
}

// Queen, rook and bishop promotions come before the knight in every mode.
void AddMoveCoronacion(Generador& g, int desde, int hasta) {
    const TipoTablero& T = TableroGlobal;
    int pieza = T.Tablero[desde];
    int c = T.Tablero[hasta];
    int capturada = c == VACIA ? SIN_PIEZA : c;
    int base = pieza == PEON_B ? 0 : 7;
    static constexpr int orden[4] = {DAMA_B, TORRE_B, ALFIL_B, CABALLO_B};
    for (int p : orden)
        g.Anadir(CrearJugada(desde, hasta, pieza, capturada, p + base));
}

template <bool Blanco>
void ObtenerMovimientoPeon(Generador& g, int desde) {
    const TipoTablero& T = TableroGlobal;
    const i32* tab = T.Tablero;
    const i32* color = T.ColorCasilla;
    const int pieza = tab[desde];
    // White moves towards lower indices; Black mirrors every offset.
    constexpr int adelante = Blanco ? -8 : 8;
    constexpr int capIzq = Blanco ? -7 : 7;
    constexpr int capDer = Blanco ? -9 : 9;
    constexpr int ladoIzq = Blanco ? 1 : -1;   // the en passant pawn beside us for a capIzq capture
    constexpr int ladoDer = Blanco ? -1 : 1;
    const bool enSeptima = Blanco ? (desde >= 8 && desde <= 15) : (desde >= 48 && desde <= 55);
    const bool enSegunda = Blanco ? (desde >= 48 && desde <= 55) : (desde >= 8 && desde <= 15);

    // En passant, generated in every mode. Only a real enemy pawn on the en passant square
    // can be taken: a FEN may name a square without one.
    const int ep = T.FichaAlPaso;
    if (ep != 0 && tab[ep] == (Blanco ? PEON_N : PEON_B)) {
        if (ep == desde + ladoIzq) {
            int t = desde + capIzq;
            if (t >= 0 && t < 64 && color[t] == color[desde])
                g.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ALPASO));
        }
        if (ep == desde + ladoDer) {
            int t = desde + capDer;
            if (t >= 0 && t < 64 && color[t] == color[desde])
                g.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ALPASO));
        }
    }

    static constexpr int capturas[2] = {capIzq, capDer};
    for (int d : capturas) {
        int t = desde + d;
        if (t < 0 || t > 63 || color[t] != color[desde]) continue;
        int c = tab[t];
        bool enemiga = Blanco ? c > VACIA : c < VACIA;
        if (!enemiga) continue;
        if (enSeptima) AddMoveCoronacion(g, desde, t);
        else g.Anadir(CrearJugada(desde, t, pieza, c));
    }

    int t = desde + adelante;
    if (t >= 0 && t < 64 && tab[t] == VACIA) {
        if (enSeptima) AddMoveCoronacion(g, desde, t);
        else if (g.modo != GENERAR_CAPTURAS) g.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA));
        if (enSegunda && g.modo != GENERAR_CAPTURAS && tab[t + adelante] == VACIA)
            g.Anadir(CrearJugada(desde, t + adelante, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE));
    }
}

template <bool Blanco>
void ObtenerMovimientoCaballo(Generador& g, int desde) {
    const i32* tab = TableroGlobal.Tablero;
    const int pieza = tab[desde];
    const int fila = desde >> 3, col = desde & 7;
    // Jumps in the fixed order +10, -6, +6, -10, +17, +15, -15, -17 as (rows, files); a jump
    // that would leave the board (or wrap around it) is skipped.
    static constexpr int salto[8] = {10, -6, 6, -10, 17, 15, -15, -17};
    static constexpr int dFila[8] = {1, -1, 1, -1, 2, 2, -2, -2};
    static constexpr int dCol[8] = {2, 2, -2, -2, 1, -1, 1, -1};
    for (int k = 0; k < 8; k++) {
        unsigned f = unsigned(fila + dFila[k]), c = unsigned(col + dCol[k]);
        if (f > 7 || c > 7) continue;
        int t = desde + salto[k];
        if (Destinable<Blanco>(tab[t])) Objetivo<Blanco>(g, desde, t, pieza);
    }
}

// Squares from `desde` to the edge in direction d, so that a walk never needs an edge test.
inline int LargoRayo(int desde, int d) {
    const int abajo = 7 - (desde >> 3), arriba = desde >> 3, derecha = 7 - (desde & 7), izquierda = desde & 7;
    switch (d) {
        case 9: return abajo < derecha ? abajo : derecha;
        case 7: return abajo < izquierda ? abajo : izquierda;
        case -7: return arriba < derecha ? arriba : derecha;
        case -9: return arriba < izquierda ? arriba : izquierda;
        case 8: return abajo;
        case -8: return arriba;
        case 1: return derecha;
        default: return izquierda;  // -1
    }
}

template <bool Blanco>
inline void Rayo(Generador& g, int desde, int pieza, int d) {
    const i32* tab = TableroGlobal.Tablero;
    int t = desde;
    for (int n = LargoRayo(desde, d); n > 0; n--) {
        t += d;
        int c = tab[t];
        if (c == VACIA) {
            if (g.modo != GENERAR_CAPTURAS) g.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA));
            continue;
        }
        if (Destinable<Blanco>(c)) g.Anadir(CrearJugada(desde, t, pieza, c));
        return;
    }
}

template <bool Blanco>
void ObtenerMovimientoAlfil(Generador& g, int desde) {
    const int pieza = TableroGlobal.Tablero[desde];
    static constexpr int rayos[4] = {9, 7, -7, -9};
    for (int d : rayos) Rayo<Blanco>(g, desde, pieza, d);
}

template <bool Blanco>
void ObtenerMovimientoTorre(Generador& g, int desde) {
    const int pieza = TableroGlobal.Tablero[desde];
    static constexpr int rayos[4] = {8, -8, -1, 1};
    for (int d : rayos) Rayo<Blanco>(g, desde, pieza, d);
}

template <bool Blanco>
void ObtenerMovimientoRey(Generador& g, int desde) {
    const TipoTablero& T = TableroGlobal;
    const i32* tab = T.Tablero;
    const int pieza = tab[desde];
    constexpr int casa = Blanco ? E1 : E8;
    constexpr int torre = Blanco ? TORRE_B : TORRE_N;
    const int estado = Blanco ? T.EnroqueBlancas : T.EnroqueNegras;

    if (g.modo != GENERAR_CAPTURAS && desde == casa && tab[casa] == pieza) {
        if ((estado == 1 || estado == 3) && tab[desde + 1] == VACIA && tab[desde + 2] == VACIA &&
            tab[desde + 3] == torre && !Jaque2(desde) && !Jaque2(desde + 1))
            g.Anadir(CrearJugada(desde, desde + 2, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ENROQUE));
        // b1 (b8) must be empty but may be attacked.
        if ((estado == 2 || estado == 3) && tab[desde - 1] == VACIA && tab[desde - 2] == VACIA &&
            tab[desde - 3] == VACIA && tab[desde - 4] == torre && !Jaque2(desde) && !Jaque2(desde - 1))
            g.Anadir(CrearJugada(desde, desde - 2, pieza, SIN_PIEZA, SIN_PIEZA, FLAG_ENROQUE));
    }

    // Steps in the fixed order +8, -8, +1, -1, +9, -9, +7, -7 as (rows, files).
    const int fila = desde >> 3, col = desde & 7;
    static constexpr int paso[8] = {8, -8, 1, -1, 9, -9, 7, -7};
    static constexpr int dFila[8] = {1, -1, 0, 0, 1, -1, 1, -1};
    static constexpr int dCol[8] = {0, 0, 1, -1, 1, -1, -1, 1};
    for (int k = 0; k < 8; k++) {
        unsigned f = unsigned(fila + dFila[k]), c = unsigned(col + dCol[k]);
        if (f > 7 || c > 7) continue;
        int t = desde + paso[k];
        if (Destinable<Blanco>(tab[t])) Objetivo<Blanco>(g, desde, t, pieza);
    }
}

template <bool Blanco>
void GenerarBando(Generador& g) {
    const i32* tab = TableroGlobal.Tablero;
    // Only squares holding our men (or impossible codes) are visited, Black from a8 to h1,
    // White from h1 to a8.
    const MascarasTablero m = LeerMascaras();
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
        const int k = Blanco ? c : c - 7;  // piece kind 1..6
        switch (k) {
            case PEON_B: ObtenerMovimientoPeon<Blanco>(g, s); break;
            case CABALLO_B: ObtenerMovimientoCaballo<Blanco>(g, s); break;
            case ALFIL_B: ObtenerMovimientoAlfil<Blanco>(g, s); break;
            case TORRE_B: ObtenerMovimientoTorre<Blanco>(g, s); break;
            case DAMA_B:
                ObtenerMovimientoTorre<Blanco>(g, s);
                ObtenerMovimientoAlfil<Blanco>(g, s);
                break;
            case REY_B: ObtenerMovimientoRey<Blanco>(g, s); break;
            default: Salir = 1; break;  // White: code 0 or below; Black: above 13
        }
    }
}

}  // namespace

int GenerarMovimientos(int ModoGeneracion, EntradaLista* lista) {
    Generador g{lista, 0, ModoGeneracion};
    IndexMove = 0;
    if (TableroGlobal.Turno == 0) {
        GenerarBando<false>(g);
    } else if (TableroGlobal.Turno == 1) {
        GenerarBando<true>(g);
    } else {
        Salir = 1;
        return 0;
    }
    if (g.n >= MAX_JUGADAS) {
        Salir = 1;
        g.n = MAX_JUGADAS;
    }
    IndexMove = g.n;
    return g.n;
}
