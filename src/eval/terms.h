// The evaluation's steps, shared by its files and reachable by the tests one at a time.
// Every term adds to the working records EvalBlancas/EvalNegras (PuntosMedio, PuntosFinal).
#pragma once

#include "eval/eval.h"

enum : int { COLOR_BLANCO = 0, COLOR_NEGRO = 1 };

// evaluate.cpp: the driver's own steps.
void ReiniciarBandos();       // empty lists and counters, scores to 0 (piece counts kept)
void EvaluarMaterial();       // material and bishop pair
void CalcularFase();          // FaseJuego
void EvaluarDesarrollo();     // opening development penalties (only while FaseJuego <= 1)
void MarcarReyEnPeligro();    // ReyEnPeligro of both sides
void EvaluarTempoImbalance(); // tempo of the side to move and the material imbalance table
int Ponderar();               // White's tapered score, scaled by the half-move clock

// pieces.cpp
void EvaluarPiezasTableroJuego();  // the board scan: lists, knights, bishops, queens
void EvaluarTorresB();             // rook pass, after the pawn passes
void EvaluarTorresN();
// Square sets of the position being evaluated (bit s = square s), taken from the board by the
// scan and read by the later passes of the same evaluation.
struct ConjuntosEval {
    u64 ocupadas;        // every square that is not empty
    u64 bando[2];        // the men of each colour (COLOR_BLANCO, COLOR_NEGRO), kings included
    u64 piezas[16];      // by piece code, pawns to kings: every man, listed or not
    u64 ataquesPeon[2];  // the squares the pawns of each colour attack
};
extern POR_HILO ConjuntosEval Conjuntos;

// pawns.cpp
void PrecargarPeones();  // asks for the pawn table's entries of the scanned position early
void EvaluarPeonesB();
void EvaluarPeonesN();

// king.cpp
void EvaluarReyB();
void EvaluarReyN();
void EvaluarAmenazas();    // undefended men hit by knights, bishops, rooks and queens, both sides
void EvaluarAtaqueRey();   // pressure next to the enemy king, both sides

// endgames.cpp
int EvaluarFinalesDificiles();  // -1, or the final score of a recognised ending
int Peon_Asalvo(int casilla, int color);  // colour 0: attacked by White; 1: attacked by Black
