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
    const i32* color = TableroGlobal.ColorCasilla;
    const int pieza = tab[desde];
    static constexpr int saltos[8] = {10, -6, 6, -10, 17, 15, -15, -17};
    for (int d : saltos) {
        int t = desde + d;
        if (t < 0 || t > 63 || color[t] == color[desde] || !Destinable<Blanco>(tab[t])) continue;
        Objetivo<Blanco>(g, desde, t, pieza);
    }
}

template <bool Blanco>
inline void Rayo(Generador& g, int desde, int pieza, int d, bool diagonal) {
    const i32* tab = TableroGlobal.Tablero;
    const i32* color = TableroGlobal.ColorCasilla;
    const int fila = desde >> 3;
    for (int s = desde, t = desde + d; t >= 0 && t < 64; s = t, t += d) {
        if (diagonal ? color[t] != color[s] : ((d == 1 || d == -1) && (t >> 3) != fila)) break;
        int c = tab[t];
        if (c == VACIA) {
            if (g.modo != GENERAR_CAPTURAS) g.Anadir(CrearJugada(desde, t, pieza, SIN_PIEZA));
            continue;
        }
        if (Destinable<Blanco>(c)) g.Anadir(CrearJugada(desde, t, pieza, c));
        break;
    }
}

template <bool Blanco>
void ObtenerMovimientoAlfil(Generador& g, int desde) {
    const int pieza = TableroGlobal.Tablero[desde];
    static constexpr int rayos[4] = {9, 7, -7, -9};
    for (int d : rayos) Rayo<Blanco>(g, desde, pieza, d, true);
}

template <bool Blanco>
void ObtenerMovimientoTorre(Generador& g, int desde) {
    const int pieza = TableroGlobal.Tablero[desde];
    static constexpr int rayos[4] = {8, -8, -1, 1};
    for (int d : rayos) Rayo<Blanco>(g, desde, pieza, d, false);
}

template <bool Blanco>
void ObtenerMovimientoRey(Generador& g, int desde) {
    const TipoTablero& T = TableroGlobal;
    const i32* tab = T.Tablero;
    const i32* color = T.ColorCasilla;
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

    static constexpr int pasos[8] = {8, -8, 1, -1, 9, -9, 7, -7};
    for (int d : pasos) {
        int t = desde + d;
        if (t < 0 || t > 63) continue;
        if ((d == 1 || d == -1) && color[t] == color[desde]) continue;
        if ((d == 9 || d == -9 || d == 7 || d == -7) && color[t] != color[desde]) continue;
        if (!Destinable<Blanco>(tab[t])) continue;
        Objetivo<Blanco>(g, desde, t, pieza);
    }
}

template <bool Blanco>
void GenerarBando(Generador& g) {
    const i32* tab = TableroGlobal.Tablero;
    // Black scans a8 to h1, White h1 to a8.
    for (int i = 0; i < 64; i++) {
        const int s = Blanco ? 63 - i : i;
        const int c = tab[s];
        if constexpr (Blanco) {
            if (c > REY_B) continue;
            if (c < PEON_B) {  // no piece can have code 0 or below
                Salir = 1;
                continue;
            }
        } else {
            if (c < PEON_N) continue;
            if (c > REY_N) {
                Salir = 1;
                continue;
            }
        }
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
