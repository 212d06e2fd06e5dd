// The search subsystem's face: the principal variation, the driver and its reset, the two
// searches and what they report. The score conventions are in comun.h.
#pragma once

#include "board/board.h"
#include "search/limits.h"

// Nodes deeper than ply 62 are left to the quiescence search (which then just evaluates):
// the undo stack and the line rows end at 64.
constexpr int ULTIMO_PLY = MAX_PLY - 2;
// The quiescence search's budget of capture plies, from the main search's horizon.
constexpr int PROFUNDIDAD_QS = 8;

// Principal variation: row p is the best line from ply p; pv_line_fin the last completed one
// (0-terminated unless all 64 words are moves). pv_line_fin[0] is the move to play.
extern POR_HILO u32 pv_line[MAX_PLY][MAX_PLY];
extern POR_HILO u32 pv_line_fin[MAX_PLY];

// Several lines (option MultiPV above 1): the lines an iteration found, best first, each
// with its own depth, score, bound (as ImprimirPv's) and line, 0-terminated.
struct LineaPv {
    int profundidad, puntuacion, cota;
    u32 pv[MAX_PLY];
};
struct LineasPv {
    int n;
    LineaPv linea[MAX_LINEAS_PV];
};
extern LineasPv LineasBusqueda;

// Nodes counted by the last search, read before the end-of-search reset clears the counter.
extern u64 NodosUltimaBusqueda;

// The searches pass over moves they can settle unmade (illegal ones, and pruned ones that
// cannot give check). The checked build can make every such move instead, to show that the
// shortcuts change nothing, node counts included.
#ifdef VEMSUL_CHECK_BOARD
extern bool AtajosActivos;
#else
constexpr bool AtajosActivos = true;
#endif

void InicializarValoresCaptura();  // capture-ordering tables from the exchange values; at start-up
void HistoricoIniciar();           // zero the five history tables

// driver.cpp
void Buscar();       // iterative deepening on TableroGlobal; prints info lines and bestmove
void A_Inicio();     // reset per-search state; the transposition table stays
void Actualizar_Pv_Terminada();
// The aspiration window of attempt 0, 1, 2 (half-widths 25, 100, 400) around the previous
// score; attempt 3 and later give the full window.
void VentanaAspiracion(int previa, int intento, int& alpha, int& beta);

// search.cpp and qsearch.cpp: fail-soft scores from the side to move's point of view.
// The node kind (EsNodoNoPv) and whether the null move is barred below (SinNulo); EnJaque is
// 1 when the side to move is in check.
enum : int { NODO_PV = 0, NODO_NO_PV = 1 };
enum : int { NULO_PERMITIDO = 0, SIN_NULO = 1 };
int AlphaBeta_Pv(int profundidad, int alpha, int beta, int EnJaque, int EsNodoNoPv, int SinNulo);
int AlphaBeta_Qs(int ProfundidadQs, int alpha, int beta, int EnJaque);
bool Es_Tabla_Repeticion();  // fifty-move rule or an earlier occurrence within the reversible plies

// report.cpp: the search says what it found through the reporter the protocol layer installs
// at start-up, which formats and prints it; with none installed nothing is written. Only the
// search that answers reports.
struct Informador {
    // An iteration of one line (pv_line_fin): depth, score and bound as shown, and the ms
    // since the search began (+1).
    void (*Iteracion)(int profundidad, int puntuacion, int cota, int transcurrido);
    // An iteration of several lines, best first, their scores as shown.
    void (*Lineas)(const LineasPv& lineas, int transcurrido);
    void (*MejorJugada)(Jugada mejor, Jugada ponder);  // the answer; ponder 0 when none
};
extern const Informador* InformadorBusqueda;
// Reports the iteration when ShowPv and the infinite mode allow it now (siempre: whatever
// they say); true when it was due.
bool ImprimirPv(int profundidad, int puntuacion, int cota, bool siempre);
// The lines of LineasBusqueda the same way.
bool ImprimirLineas(bool siempre);
void ImprimirMejorJugada(Jugada mejor, Jugada ponder);
