// What the search driver's two loops share: one line's search at the root with its
// aspiration windows, the bound mark, the "go mate N" test and the record of the reports.
// driver.cpp iterates one line, lineas.cpp several (MultiPV).
#pragma once

#include "search/search.h"

// An info line marks a score that rose or fell by more than this against the last iteration.
constexpr int SALTO_COTA = 100;

inline int Cota(int s, int previa) { return s > previa + SALTO_COTA ? 1 : (s < previa - SALTO_COTA ? -1 : 0); }

// "go mate N": a completed iteration that mates in N moves (2N - 1 plies) or fewer.
inline bool MateEncontrado(int s) {
    const int n = TipoJuego.MateBuscado;
    return n > 0 && s > UMBRAL_MATE && VALOR_MATE - s <= 2 * i64(n) - 1;
}

// The root searched at depth d around the last score (full window through depth 5 and after
// a mate score); the score in s. False when the iteration must end at once: stopped inside an
// aspiration window, or after a mate score. A stop inside a full window is left to the caller.
bool BuscarRaiz(int d, int previa, int enJaque, int& s);

// The iteration reports of one search. A search whose last completed iteration went unprinted
// (ShowPv Middle in its first 750 ms) prints it before it answers, so that every client gets
// a score, a depth and a line.
struct Informe {
    int profundidad = 0, puntuacion = 0, cota = 0;
    bool hecho = false, impreso = false, lineas = false;
    void Imprimir(int p, int s, int c) {
        profundidad = p;
        puntuacion = s;
        cota = c;
        hecho = true;
        impreso = ImprimirPv(p, s, c, false);
    }
    void ImprimirVarias() {  // the lines of LineasBusqueda
        hecho = lineas = true;
        impreso = ImprimirLineas(false);
    }
    void Completar() const {
        if (!hecho || impreso || TipoJuego.ShowPv == 0) return;
        if (lineas) ImprimirLineas(true);
        else ImprimirPv(profundidad, puntuacion, cota, true);
    }
};

// Iterative deepening over k > 1 lines; true when "go mate N" found its mate.
bool IterarLineas(int k, int enJaque, bool paradaMate, Informe& informe);
