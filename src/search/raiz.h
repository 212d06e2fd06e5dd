// The root moves a search may play: every legal move, or only those the endgame tables say
// keep the best result, and of those only the ones the client named ("go ... searchmoves").
// The driver prepares the set before each search; the root's move loop keeps to it, and the
// info lines then show the tables' result. Several lines (MultiPV) search the set again and
// again, each time without the moves of the lines already found.
#pragma once

#include "board/board.h"

struct RestriccionRaiz {
    bool activa;                  // false: every legal move
    int n;
    Jugada jugadas[MAX_JUGADAS];  // the moves kept
    int primera;                  // jugadas[0 .. primera) are left out (lines already found)
    bool tablas;                  // the tables decided the set
    int resultado;                // the tables' result for the side to move: 1 win, 0 draw, -1 loss
};

extern POR_HILO RestriccionRaiz RaizBusqueda;

// The moves the client named for the next search (0: every move); the go command sets them
// and clears them once its search is over.
void FijarJugadasCliente(const Jugada* jugadas, int n);

// Before a search of TableroGlobal: the moves kept when the root is in the Syzygy tables,
// intersected with the client's list (when no named move keeps the tables' result, the named
// moves all the same). With todas, the set is spelt out even when nothing restricts it.
void PrepararJugadasRaiz(bool todas);
// The root's generated moves without those outside the set, in their order; the new count.
int RestringirRaiz(EntradaLista* lista, int total);
// Leaves the move of a line just found out of the searches that follow (until primera is reset).
void ApartarJugadaRaiz(Jugada j);
// The score an info line shows at a root the tables decide: a draw 0, a win or a loss with
// no shorter line found by the search at the tables' score.
int PuntuacionRaiz(int puntuacion);
