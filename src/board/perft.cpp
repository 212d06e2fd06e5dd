// Perft counting: the move paths of a given length below the current position, with a
// breakdown of the last ply and the count below each root move. The "perft" command
// (protocol) reads the depth and prints the figures.
#include "board/board.h"

namespace {

// What one count needs at every level.
struct Recuento {
    int profundidad;
    bool parar;
    ContadoresPerft k;
    i32 PosicionesPorJugada;  // leaves below the root move now being explored
};

inline void Sumar(i32& c) {
    if (c < INT32_MAX) c++;
}

inline void Contar(Recuento& r, Jugada m) {
    ContadoresPerft& k = r.k;
    if (Capturada(m) != SIN_PIEZA) Sumar(k.Capturas);
    if (AlPaso(m)) {
        Sumar(k.CapturasAlPaso);
        Sumar(k.Capturas);
    }
    if (Enroque(m)) Sumar(k.Enroques);
    if (Coronacion(m) != SIN_PIEZA) Sumar(k.Coronaciones);
    if (k.Nodos < u64(INT64_MAX)) k.Nodos++;
    Sumar(r.PosicionesPorJugada);
}

// Whether the side to move is in check is tested once per node: out of check, make move can
// test legality along one line only.
inline int Hacer(Jugada j, bool enJaque) { return enJaque ? HacerMovimiento(j) : HacerMovimientoSinJaque(j); }

// The leaves below a node not in check. Out of check only a pinned man's move, a king's move,
// an en passant capture (two men leave a rank) or castling can leave the king attacked; the
// pin test needs no move made, the others are made and tested.
void ContarHojas(Recuento& r, const ListaJugadas& lista, int n) {
    const i32* tab = TableroGlobal.Tablero;
    for (int i = 0; i < n && !r.parar; i++) {
        const Jugada j = lista[i].Jugada;
        const int pieza = tab[Origen(j)];
        bool legal;
        if (pieza == REY_B || pieza == REY_N || AlPaso(j) || Enroque(j)) {
            legal = HacerMovimientoSinJaque(j);
            DeshacerMovimiento();
        } else {
            legal = LegalSinHacer(j);
        }
        if (legal) Contar(r, j);
    }
}

int MiniMax(Recuento& r, int ply, Jugada m) {
    if (r.parar) return 0;
    if (ply == r.profundidad) {
        Contar(r, m);
        return 0;
    }
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    const bool enJaque = n > 0 && BandoEnJaque();
    // One ply above the leaves (most nodes) each legal move is counted here, not in a call.
    if (ply + 1 == r.profundidad && !enJaque) {
        ContarHojas(r, lista, n);
        return 0;
    }
    const bool hojas = ply + 1 == r.profundidad;
    for (int i = 0; i < n; i++) {
        const Jugada j = lista[i].Jugada;
        if (Hacer(j, enJaque) && !r.parar) {
            if (hojas) Contar(r, j);
            else MiniMax(r, ply + 1, j);
        }
        DeshacerMovimiento();
    }
    return 0;
}

// The first plies are walked here; MiniMax takes over from ply 3.
void ContarBajoRaiz(Recuento& r, Jugada raiz) {
    if (r.profundidad == 1) {
        Contar(r, raiz);
        return;
    }
    ListaJugadas respuestas;
    int nr = GenerarMovimientos(GENERAR_TODAS, respuestas);
    const bool enJaque = nr > 0 && BandoEnJaque();
    for (int i = 0; i < nr; i++) {
        Jugada j = respuestas[i].Jugada;
        if (Hacer(j, enJaque)) {
            if (r.profundidad == 2) {
                Contar(r, j);
            } else {
                ListaJugadas terceras;
                int nt = GenerarMovimientos(GENERAR_TODAS, terceras);
                const bool enJaqueTercera = nt > 0 && BandoEnJaque();
                for (int t = 0; t < nt; t++) {
                    if (Hacer(terceras[t].Jugada, enJaqueTercera)) MiniMax(r, 3, terceras[t].Jugada);
                    DeshacerMovimiento();
                }
            }
        }
        DeshacerMovimiento();
    }
}

}  // namespace

int ContarPerft(int profundidad, bool parar, ContadoresPerft& k, RaizPerft raices[MAX_JUGADAS]) {
    // The count is a root of its own: the whole undo stack is available below it.
    const int plyAntes = TableroGlobal.Ply;
    TableroGlobal.Ply = 0;
    Recuento r{profundidad, parar, k, 0};
    ListaJugadas lista;
    const int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        const Jugada m = lista[i].Jugada;
        raices[i] = {m, 0};
        if (!HacerMovimiento(m)) {
            DeshacerMovimiento();
            continue;
        }
        r.PosicionesPorJugada = 0;
        if (!parar) ContarBajoRaiz(r, m);
        raices[i].cuenta = r.PosicionesPorJugada;
        DeshacerMovimiento();
    }
    TableroGlobal.Ply = plyAntes;
    k = r.k;
    return n;
}
