// The search-limits record through which the command layer, the search and the info lines
// talk to each other (one global instance), the engine clock, and the stop rule the searches
// apply every 2048 nodes behind the input seam.
#pragma once

#include "board/board.h"

constexpr int PROFUNDIDAD_MAXIMA = 63;
constexpr int MAX_LINEAS_PV = 64;  // option MultiPV's maximum
// The searches look at the clock, the node budget and the input once every 2048 nodes.
constexpr u64 MASCARA_COMPROBACION = 2048 - 1;

// When a search that has ended by itself (depth limit, mate) may answer. UCI forbids answering
// an infinite search unasked, and a go without a usable limit is one.
enum class Espera : i32 {
    Ninguna,       // at once
    Orden,         // once the GUI sends a line (stop): go infinite, a go without a limit
    OrdenSinMate,  // a lone "go mate N": at once when it found its mate, else as Orden
};

// The values of RegistroJuego's ShowPv (option ShowPv: None, Middle, Full); its other i32
// flags hold 0 or 1.
enum : i32 { SHOWPV_NINGUNA = 0, SHOWPV_MEDIA = 1, SHOWPV_COMPLETA = 2 };

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
    Espera EsperaRespuesta;  // whether the search may answer when it ends by itself
    i32 MateBuscado;         // "go mate N": N moves, 0 = none
    u64 NodosInicio;         // the node count when this search began (its own nps)
    i32 MargenMovimiento;    // option Move Overhead, ms
    i32 Hilos;               // option Threads
    i32 LineasPv;            // option MultiPV: the best lines searched and shown, 1..64
    i32 MostrarWdl;          // option UCI_ShowWDL: 1 = the info lines carry "wdl W D L"
};

extern POR_HILO RegistroJuego TipoJuego;

// Milliseconds since the process started, from a monotonic clock.
i32 ObtenerTiempo();

// Called by the searches every 2048 nodes: sets Parar when the time budget or the node budget
// is spent (from depth 2 on, once there is a move to play) or when a line that ends the search
// is waiting (once there is a move to play); the lines a search answers itself are taken.
void ComprobarTiempo();

// The input seam. What "input is waiting" means is the command layer's to say: it answers
// whether a line waits that ends the search, and may first take the lines a running search
// answers itself (isready; ponderhit on "go ponder", calling Ponderhit). With esperar it blocks
// until a line arrives, and returns false once it has taken a ponderhit. Null (bench, tests):
// no input is looked at.
using SondaEntrada = bool (*)(bool esperar);
extern SondaEntrada EntradaEsperando;

// ponderhit: a search on "go ponder" goes on as the normal search of its go command, its clock
// and node budgets counted from now (the time spent pondering is a gift).
void Ponderhit();

// A search that has ended may have to wait before it answers: on "go ponder" for ponderhit or
// stop, and with sinFinPropio (its EsperaRespuesta says so) for any line. Returns at once
// when there is nothing to wait for, or no input seam.
void EsperarRespuesta(bool sinFinPropio);
