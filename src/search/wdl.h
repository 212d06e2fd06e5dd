// Win, draw and loss odds of a score, in permille, for the info lines (option UCI_ShowWDL).
// The model is a logistic fit to this engine's self-play games (tools/wdl_modelo.py; the fit
// and its calibration are in the README):
//     W = 1 / (1 + exp(-(s - a) / b)),  L = 1 / (1 + exp((s + a) / b)),  D = the rest,
// with s the score of the side to move and a, b growing with the material m on the board:
//     a = CENTRO + CENTRO_POR_MATERIAL m,
//     b = ESCALA + ESCALA_POR_MATERIAL m.
#pragma once

struct Wdl {
    int w, d, l;  // permille; w + d + l = 1000
};

namespace modelo_wdl {
// From tools/wdl_modelo.py ajustar on 2,000 self-play games at 5,000 nodes a move.
constexpr double CENTRO = 222.35, CENTRO_POR_MATERIAL = -2.198;
constexpr double ESCALA = 144.15, ESCALA_POR_MATERIAL = 0.424;
// Material of a side for m: pawn, knight, bishop, rook, queen (both sides count; at most 78).
constexpr int VALOR_PEON = 1, VALOR_MENOR = 3, VALOR_TORRE = 5, VALOR_DAMA = 9;
}  // namespace modelo_wdl

// The odds of a score from the side to move's point of view with material m on the board;
// a mate score is a sure win or loss.
Wdl CalcularWdl(int puntuacion, int material);
// m of TableroGlobal from the side records.
int MaterialTablero();
