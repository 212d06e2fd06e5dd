// Syzygy endgame tablebases through the Fathom prober compiled into the engine: loading the
// tables the path names (each file checked before the prober may map it), win/draw/loss
// probes for the search, and the ranking of the root moves by distance to zeroing.
//
// Threads: the loading and the root ranking take a lock (the prober's root functions are not
// reentrant); the win/draw/loss probe may run on several threads at once. Loading must not
// overlap a search.
#pragma once

#include <string>
#include <vector>

#include "board/board.h"

constexpr int SYZYGY_MAX_HOMBRES = 7;  // the largest tables there are, kings included
constexpr int MAX_RUTA_SYZYGY = 64 * 1024;  // the directories, as long as an input line

struct RegistroSyzygy {
    char SyzygyPath[MAX_RUTA_SYZYGY + 1];  // option SyzygyPath: directories, "<empty>" for none
    i32 SyzygyProbeLimit;                    // option SyzygyProbeLimit: the most men probed, 0..7
    i32 HombresCargados;                     // the most men of the tables loaded, 0 = none
    i32 HombresSonda;                        // the most men the search probes: the two above, 0 = off
};

extern RegistroSyzygy tbprobe_Syzygy;

// A win the tables prove scores VALOR_TB_GANADA less the distance from the root: above every
// evaluation, below the mate scores (so it prints as "cp" and never ends a search as a mate).
constexpr int VALOR_TB_GANADA = UMBRAL_MATE;
// The deepest ply a probe is made at; a root the tables win without a line to the win shows
// VALOR_TB_GANADA - PLY_TB_RAIZ, below every such probe's score.
constexpr int PLY_TB_RAIZ = MAX_PLY;

// Loads the tables of SyzygyPath (none when it is empty or "<empty>"), replacing those loaded.
// Returns its report, one message a line ("Syzygy: ..."): each directory that cannot be read,
// each file refused (unreadable, wrong size, wrong magic number) and the counts found.
std::vector<std::string> CargarSyzygy();
// HombresSonda from the tables loaded and SyzygyProbeLimit.
void ActualizarLimiteSyzygy();

// Whether a position may be probed below the root: tables loaded and the last move a capture
// or a pawn move (the tables' results hold for a half-move clock of 0).
inline bool SyzygySondeable() { return tbprobe_Syzygy.HombresSonda > 0 && TableroGlobal.Regla50 == 0; }
// The win/draw/loss result of TableroGlobal for the side to move, as a search score at this
// ply: VALOR_TB_GANADA - ply, 0, or its negation; cursed wins and blessed losses (decided only
// beyond the fifty-move rule) are draws. False when the men do not fit the tables, castling
// is still possible or the tables do not answer.
bool Probar_syzygy(int& puntuacion, int ply);

// The root moves of TableroGlobal ranked by the tables: by distance to zeroing, keeping wins
// inside the fifty-move rule (and, once a position has repeated, the quickest), or by
// win/draw/loss when the distance files are missing.
struct ClasificacionRaiz {
    int n;                     // legal moves ranked
    Jugada jugadas[MAX_JUGADAS];
    i32 rango[MAX_JUGADAS];    // higher is better
    i32 mejorRango;
    int resultado;             // of the best move for the side to move: 1 win, 0 draw, -1 loss
};
// False (and nothing ranked) when the root is not in the tables.
bool ClasificarRaizSyzygy(ClasificacionRaiz& c);
// The moves that keep the best result the tables allow.
inline bool ConservaResultado(const ClasificacionRaiz& c, int i) { return c.rango[i] >= c.mejorRango; }
