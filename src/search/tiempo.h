// The time manager: what a go command asks for, and the limits and time budget of the search
// that answers it.
#pragma once

#include "search/limits.h"

struct ParametrosGo {
    i32 wtime, btime, winc, binc, movestogo, movetime;
    // Each clock counts as given when its word came with a number, zero included: a GUI
    // sends "btime 0" when the opponent's clock has run down, and we must still answer.
    bool hayWtime, hayBtime;
    bool hayMovetime, hayNodos;  // "movetime 0" and "nodes 0" ask for an answer at once
    i32 profundidad;  // "depth", capped at 63; "infinite" sets 63; 0 = none
    bool infinito;
    bool ponder;      // "go ponder": no bestmove before ponderhit or stop
    u64 nodos;        // "nodes"
    i32 mate;         // "mate N", 0 = none
    int numJugadas;   // "searchmoves": the legal moves named (in jugadas), 0 = every move
    Jugada jugadas[MAX_JUGADAS];
};

struct LimitesGo {
    i32 profundidadMaxima;
    i32 controlTiempo;         // 1 = a time budget limits the search
    i32 tiempoLimite;          // budget in ms
    i32 movimientosRestantes;  // the moves-to-go divisor (plies of the game when no clock rule applies)
    u64 nodos;                 // node budget, 0 = none
    i32 mate;                  // "go mate N": N, 0 = none
    Espera espera;             // when the search may answer once it has ended by itself
};

// The limits of a search: each limit given (depth, nodes, movetime, mate, the clock of the side
// to move) bounds it, and it ends at the first one reached. turno: 1 White to move, 0 Black;
// plies: moves applied by the last position command; margen: the Move Overhead option, ms.
LimitesGo CalcularLimites(const ParametrosGo& p, int turno, int plies, int margen);
