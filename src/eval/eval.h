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

// Static score in centipawns from the side to move's point of view. Fills *r, except when a
// material draw or a recognised special ending gives the score directly (*r is then left as it
// was). Uses the evaluation cache when it is on.
int Evaluar(ResultadoEval* r);
// The same evaluation without reading or writing the evaluation cache.
int EvaluarSinCache(ResultadoEval* r);
