// The search-limits record through which the command layer, the search and the info lines
// talk to each other (one global instance), the engine clock, and the stop rule the searches
// apply every 2048 nodes behind the input seam.
#pragma once

#include "board/board.h"

constexpr int PROFUNDIDAD_MAXIMA = 63;
// The searches look at the clock, the node budget and the input once every 2048 nodes.
constexpr u64 MASCARA_COMPROBACION = 2048 - 1;

struct RegistroJuego {
    i32 Parar;               // 1 = end the search now
    i32 TiempoLimite;        // budget of this move, ms
    i32 TiempoInicio;        // clock reading when the search started, ms
    i32 TiempoTranscurrido;  // elapsed ms, as last reported
    i32 ControlTiempo;       // 1 = the clock limits this search
    i32 Infinito;            // 1 = "infinite" was given; stays until "ucinewgame"
    i32 ProfundidadMaxima;   // depth limit of iterative deepening, 1..63
    i32 Profundidad;         // depth of the iteration now running
    u64 Nodos;
    i32 NumeroJugadaRaiz;    // root move that last raised alpha (currmovenumber)
    i32 MovimientosRestantes;  // plies of the last position command, then the moves-to-go divisor
    i32 Ponder;              // option Ponder
    i32 PonderActivo;        // 1 = the search now running is the engine's own ponder search
    char JugadaPonder[6];    // text of the move the engine expects (or plays when pondering)
    i32 ShowPv;              // 0 None, 1 Middle, 2 Full
    i32 PonderInterfaz;      // 1 = a search on "go ponder": no bestmove before ponderhit or stop
    u64 LimiteNodos;         // node count at which the search stops, 0 = none ("go nodes")
};

extern RegistroJuego TipoJuego;

// Milliseconds since the process started, from a monotonic clock.
i32 ObtenerTiempo();

// Called by the searches every 2048 nodes: sets Parar when the time budget or the node budget
// is spent (from depth 2 on, once there is a move to play) or when input is waiting.
void ComprobarTiempo();

// The input seam. What "input is waiting" means is the command layer's to say: it answers
// whether a line waits that ends the search, and may first take the lines meant for a running
// search on "go ponder" itself (calling Ponderhit, answering isready). With esperar it blocks
// instead until the line that lets such a search answer has arrived. Null (bench, tests): no
// input is looked at, since a closed or redirected standard input always counts as waiting.
using SondaEntrada = bool (*)(bool esperar);
extern SondaEntrada EntradaEsperando;

// ponderhit: a search on "go ponder" goes on as the normal search of its go command, its clock
// and node budgets counted from now (the time spent pondering is a gift).
void Ponderhit();

// A search on "go ponder" that ended before ponderhit or stop waits here for one of them.
void EsperarFinPonder();
