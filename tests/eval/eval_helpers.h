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
inline Puntos De(const DatosBando& b) { return {b.PuntosMedio, b.PuntosFinal}; }

// Clears the side records (scores at 0, material left out), computes the phase and the
// king-danger flags, and runs the board scan on the current position.
inline void EscanearTablero() {
    ReiniciarBandos();
    CalcularFase();
    MarcarReyEnPeligro();
    EvaluarPiezasTableroJuego();
}
inline void Escanear(const std::string& fen) {
    PonerFen(fen);
    EscanearTablero();
}

// The scan, then the pawn and rook passes, as the driver runs them.
inline void EscanearHastaTorres(const std::string& fen) {
    Escanear(fen);
    EvaluarPeonesB();
    EvaluarPeonesN();
    EvaluarTorresB();
    EvaluarTorresN();
}

struct Aportes {
    Puntos blancas, negras;
};
// What f adds to each side's scores.
template <class F>
Aportes Aporte(F f) {
    Puntos b = De(Blancas), n = De(Negras);
    f();
    return {{Blancas.PuntosMedio - b.mg, Blancas.PuntosFinal - b.eg},
            {Negras.PuntosMedio - n.mg, Negras.PuntosFinal - n.eg}};
}

// The full evaluation of a FEN without the cache.
inline int Evaluacion(const std::string& fen) {
    PonerFen(fen);
    ResultadoEval r;
    return EvaluarSinCache(&r);
}
