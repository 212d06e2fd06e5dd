// The root moves a search may play: every legal move, or only those the endgame tables say
// keep the best result. The driver prepares the set before each search; the root's move loop
// keeps to it, and the info lines then show the tables' result. A list of moves the client
// names, or several lines, combine with it here.
#pragma once

#include "board/board.h"

struct RestriccionRaiz {
    bool activa;                  // false: every legal move
    int n;
    Jugada jugadas[MAX_JUGADAS];  // the moves kept
    int resultado;                // the tables' result for the side to move: 1 win, 0 draw, -1 loss
};

extern RestriccionRaiz RaizBusqueda;

// Before a search of TableroGlobal: the moves kept when the root is in the Syzygy tables.
void PrepararJugadasRaiz();
// The root's generated moves without those outside the set, in their order; the new count.
int RestringirRaiz(EntradaLista* lista, int total);
// The score an info line shows at a root the tables decide: a draw 0, a win or a loss with
// no shorter line found by the search at the tables' score.
int PuntuacionRaiz(int puntuacion);
