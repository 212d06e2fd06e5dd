// What differs between the two colours, for the evaluation passes written once for both:
// piece codes, side records and piece counts, the enemy king, table indices, pawn cover.
#pragma once

#include "eval/eval.h"
#include "eval/tables.h"
#include "eval/terms.h"

template <bool Blanco>
struct Lado {
    static constexpr int PEON = Blanco ? PEON_B : PEON_N;
    static constexpr int PEON_RIVAL = Blanco ? PEON_N : PEON_B;
    static constexpr int ALFIL_RIVAL = Blanco ? ALFIL_N : ALFIL_B;
    static constexpr int COLOR = Blanco ? COLOR_BLANCO : COLOR_NEGRO;
    static constexpr int COLOR_RIVAL = Blanco ? COLOR_NEGRO : COLOR_BLANCO;
    static constexpr int SEPTIMA = Blanco ? 1 : 6;  // row of the side's seventh rank
    static DatosEval& Propio() { return Blanco ? EvalBlancas : EvalNegras; }
    static DatosEval& Rival() { return Blanco ? EvalNegras : EvalBlancas; }
    static const DatosBando& Piezas() { return Blanco ? Blancas : Negras; }  // the board's counts
    static const DatosBando& PiezasRival() { return Blanco ? Negras : Blancas; }
    static int ReyRival() { return Blanco ? TableroGlobal.PosicionReyNegro : TableroGlobal.PosicionReyBlanco; }
    static bool EsPropia(int c) { return Blanco ? (c >= PEON_B && c <= REY_B) : (c >= PEON_N && c <= REY_N); }
    static bool EsRival(int c) { return Blanco ? (c >= PEON_N && c <= REY_N) : (c >= PEON_B && c <= REY_B); }
    static int Rel(int casilla) { return Blanco ? casilla : tablas::Flip(casilla); }  // index into the tables
    // The enemy king on its first or second rank.
    static bool ReyRivalAtras() {
        int fila = tablas::Fila(ReyRival());
        return Blanco ? fila <= 1 : fila >= 6;
    }
    static bool RivalMueve() { return TableroGlobal.Turno == (Blanco ? 0 : 1); }
    static bool Hay(int casilla, int pieza) { return TableroGlobal.Tablero[casilla] == pieza; }
    // Attacked by an enemy pawn; supported by an own pawn.
    static bool AtacadaPorPeon(int casilla) { return (Conjuntos.ataquesPeon[COLOR_RIVAL] >> casilla) & 1; }
    static bool ApoyadaPorPeon(int casilla) { return (Conjuntos.ataquesPeon[COLOR] >> casilla) & 1; }
};
