// The static evaluation's face.
#pragma once

#include "board/board.h"

// What the search reads back from an evaluation: the score and, per file, each side's
// passed pawn square (-1 = none).
struct ResultadoEval {
    i16 Puntuacion;
    i8 PeonPasadoBlancas[8];
    i8 PeonPasadoNegras[8];
};

// Static score in centipawns from the side to move's point of view; fills *r.
int Evaluar(ResultadoEval* r);
