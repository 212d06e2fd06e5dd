// The time manager: what a go command asks for, and the limits and time budget of the search
// that answers it.
#pragma once

#include "board/board.h"

struct ParametrosGo {
    i32 wtime, btime, winc, binc, movestogo, movetime;
    // Each clock counts as given when its word came with a number, zero included: a GUI
    // sends "btime 0" when the opponent's clock has run down, and we must still answer.
    bool hayWtime, hayBtime;
    i32 profundidad;  // "depth", capped at 63; "infinite" sets 63
    bool infinito;
    bool ponder;      // "go ponder": no bestmove before ponderhit or stop
    u64 nodos;        // "nodes", 0 = no node limit
};

struct LimitesGo {
    bool buscar;               // false: the command ends with no output at all
    i32 profundidadMaxima;
    i32 controlTiempo;         // 1 = the clock limits the search
    i32 tiempoLimite;          // budget in ms
    i32 movimientosRestantes;  // the moves-to-go divisor (plies of the game when no clock rule applies)
    u64 nodos;                 // node budget, 0 = none
};

// turno: 1 White to move, 0 Black; plies: moves applied by the last position command.
LimitesGo CalcularLimites(const ParametrosGo& p, int turno, int plies);
