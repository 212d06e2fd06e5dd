// The static evaluation's face: its entry points, what it gives back to the search, and what
// it leaves behind for the "eval" command and the tests.
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

// Each side's working record, rebuilt by every evaluation and valid until the next one (the
// piece counts it reads are the board's, Blancas and Negras).
struct DatosEval {
    i32 PeonesColumna[8];
    i8 PeonPasado[8];
    i32 CasillaPeon[4][8];  // [slot][file], -1 = empty
    i32 CasillaCaballo[8];  // squares of the side's men in scan order, -1 = empty
    i32 CasillaAlfil[8];
    i32 CasillaTorre[8];
    i32 CasillaDama[8];
    i32 PuntosMedio, PuntosFinal;
    i32 Defendida[64];       // own men: how many own attacks land on each
    i32 AtaquesCaballo[64];  // enemy men hit, by piece kind, with their used lengths
    i32 NumAtaquesCaballo;
    i32 AtaquesAlfil[112];
    i32 NumAtaquesAlfil;
    i32 AtaquesTorre[112];
    i32 NumAtaquesTorre;
    i32 AtaquesDama[224];
    i32 NumAtaquesDama;
    i32 AtaquesZonaRey;      // squares next to the enemy king reached, with repetition
    i32 PesoAtacantes;       // summed weight of the pieces that reached them
    i32 ReyEnPeligro;        // the opponent has a queen and another piece
};
extern POR_HILO DatosEval EvalBlancas, EvalNegras;

// The game phase of the last evaluation: 0 (every piece on) .. 24 (kings and pawns only).
extern POR_HILO i32 FaseJuego;
