// Helpers for the evaluation tests: run the evaluation's steps one at a time on a position and
// read back what a step added to each side's middlegame and endgame scores.
#pragma once

#include <ostream>
#include <string>

#include "eval/eval.h"
#include "eval/terms.h"
#include "support/board_helpers.h"

struct Puntos {
    int mg, eg;
    bool operator==(const Puntos&) const = default;
};
inline std::ostream& operator<<(std::ostream& o, const Puntos& p) { return o << "(" << p.mg << ", " << p.eg << ")"; }

struct Aportes {
    Puntos blancas, negras;
};
// What f adds to each side's scores.
template <class F>
Aportes Aporte(F f) {
    const DatosEval &B = EvalBlancas, &N = EvalNegras;
    const Puntos b = {B.PuntosMedio, B.PuntosFinal}, n = {N.PuntosMedio, N.PuntosFinal};
    f();
    return {{B.PuntosMedio - b.mg, B.PuntosFinal - b.eg}, {N.PuntosMedio - n.mg, N.PuntosFinal - n.eg}};
}

// Sets up the position with the side records cleared (scores at 0, material left out), the
// phase and the king-danger flags computed; then, from `pasos` on, the board scan (1), the pawn
// passes (2), the rook passes (3) and the king passes (4), as the driver runs them.
inline void Preparar(const std::string& fen, int pasos) {
    PonerFen(fen);
    ReiniciarBandos();
    CalcularFase();
    MarcarReyEnPeligro();
    if (pasos >= 1) EvaluarPiezasTableroJuego();
    if (pasos >= 2) EvaluarPeonesB(), EvaluarPeonesN();
    if (pasos >= 3) EvaluarTorresB(), EvaluarTorresN();
    if (pasos >= 4) EvaluarReyB(), EvaluarReyN();
}

// The full evaluation of a FEN without the cache.
inline int Evaluacion(const std::string& fen) {
    PonerFen(fen);
    ResultadoEval r;
    return EvaluarSinCache(&r);
}
