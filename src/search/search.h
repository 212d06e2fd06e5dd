// The search subsystem's face: principal variation, history tables, the driver and its reset.
#pragma once

#include "board/board.h"

constexpr int VALOR_MATE = 31000;
constexpr int UMBRAL_MATE = 30000;
constexpr int VALOR_INFINITO = 32000;

inline bool EsPuntuacionMate(int p) {
    return (p > UMBRAL_MATE || p < -UMBRAL_MATE) && p != VALOR_INFINITO && p != -VALOR_INFINITO;
}

// Principal variation: row p is the best line from ply p; pv_line_fin the last completed one.
extern u32 pv_line[MAX_PLY][MAX_PLY];
extern u32 pv_line_fin[MAX_PLY];

// History tables (ordering.cpp).
extern i32 Historico_Bueno[28][64];
extern i32 Historico_Malo[28][64];
extern u32 Historico_Killer[MAX_PLY][2][2];
extern u32 Historico_Killer_Mate[MAX_PLY][2][2];
extern u32 Historico_Refutation[64 * 64];

void InicializarValoresCaptura();  // capture-ordering tables from the exchange values; at start-up
void HistoricoIniciar();           // zero the five history tables

// driver.cpp
void Buscar();
void A_Inicio(int);  // reset per-search state; the transposition table stays
