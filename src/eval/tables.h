// Every constant table of the evaluation, in one place. Square tables are written from
// White's side with entry 0 = a8 (rank 8 is the first row below); Black reads them at
// Flip(square) = 63 - square, a half-turn of the board.
#pragma once

#include <array>
#include <cstdint>

#include "board/geometry.h"

namespace tablas {

using Tabla64 = std::array<int, 64>;

constexpr int Flip(int casilla) { return 63 - casilla; }
constexpr int Fila(int casilla) { return casilla >> 3; }      // 0 = rank 8
constexpr int Columna(int casilla) { return casilla & 7; }    // 0 = file a
// A square by its name: Sq('e', 2) is e2.
constexpr int Sq(char columna, int rango) { return (8 - rango) * 8 + (columna - 'a'); }

// ---- Material ----------------------------------------------------------------------------
constexpr int VALOR_PEON_OP = 85, VALOR_PEON_EG = 120;
constexpr int VALOR_CABALLO = 325, VALOR_ALFIL = 325, VALOR_TORRE = 500;
constexpr int VALOR_DAMA_OP = 975, VALOR_DAMA_EG = 1000;
constexpr int BONUS_PAREJA_ALFILES = 50;
constexpr int BONUS_TEMPO_OP = 10, BONUS_TEMPO_EG = 5;
constexpr int PENALIZACION_DESARROLLO = 20;

// Row: rooks and queens (queen = 2) ahead of the opponent, plus 4; column: minor pieces ahead,
// plus 4; both clamped to 0..8.
constexpr int imbalance[9][9] = {
    {-80, -80, -80, -80, -50, 0, 0, 0, 0},
    {-80, -80, -80, -80, -50, 0, 0, 0, 0},
    {-80, -80, -80, -80, -50, 0, 0, 0, 0},
    {-80, -80, -80, -80, -50, -10, 60, 0, 0},
    {-40, -40, -40, -40, 0, 40, 40, 40, 40},
    {0, 0, -60, 10, 50, 80, 80, 80, 80},
    {0, 0, 0, 0, 50, 80, 80, 80, 80},
    {0, 0, 0, 0, 50, 80, 80, 80, 80},
    {0, 0, 0, 0, 50, 80, 80, 80, 80},
};

// ---- Pieces ------------------------------------------------------------------------------
constexpr Tabla64 PST_N_OP = {
    -135, -25, -15, -10, -10, -15, -25, -135,
     -20, -10,   0,   5,   5,   0, -10,  -20,
      -5,   5,  15,  20,  20,  15,   5,   -5,
      -5,   5,  15,  20,  20,  15,   5,   -5,
     -10,   0,  10,  15,  15,  10,   0,  -10,
     -20, -10,   0,   5,   5,   0, -10,  -20,
     -35, -25, -15, -10, -10, -15, -25,  -35,
     -50, -40, -30, -25, -25, -30, -40,  -50,
};

constexpr Tabla64 PST_N_EG = {
    -40, -30, -20, -15, -15, -20, -30, -40,
    -30, -20, -10,  -5,  -5, -10, -20, -30,
    -20, -10,   0,   5,   5,   0, -10, -20,
    -15,  -5,   5,  10,  10,   5,  -5, -15,
    -15,  -5,   5,  10,  10,   5,  -5, -15,
    -20, -10,   0,   5,   5,   0, -10, -20,
    -30, -20, -10,  -5,  -5, -10, -20, -30,
    -40, -30, -20, -15, -15, -20, -30, -40,
};

constexpr Tabla64 PST_B_OP = {
    -2, -5,  -5, -5, -5,  -5, -5, -2,
    -5,  3,   0,  0,  0,   0,  3, -5,
    -5,  0,   8,  5,  5,   8,  0, -5,
    -5,  0,   5, 13, 13,   5,  0, -5,
    -5,  0,   5, 13, 13,   5,  0, -5,
    -5,  5,   8,  5,  5,   8,  5, -5,
    -5,  6,   3,  3,  3,   3,  6, -5,
    -2, -5, -16, -5, -5, -16, -5, -2,
};

constexpr Tabla64 PST_B_EG = {
    -30, -20, -10,  0,  0, -10, -20, -30,
    -20, -10,   0, 10, 10,   0, -10, -20,
    -10,   0,  10, 20, 20,  10,   0, -10,
      0,  10,  20, 30, 30,  20,  10,   0,
      0,  10,  20, 30, 30,  20,  10,   0,
    -10,   0,  10, 20, 20,  10,   0, -10,
    -20, -10,   0, 10, 10,   0, -10, -20,
    -30, -20, -10,  0,  0, -10, -20, -30,
};

constexpr Tabla64 PST_R_OP = {
     4,  4, 4, 4, 4, 4,  4,  4,
    -4, -2, 0, 2, 2, 0, -2, -4,
    -4, -2, 0, 2, 2, 0, -2, -4,
    -4, -2, 0, 2, 2, 0, -2, -4,
    -4, -2, 0, 2, 2, 0, -2, -4,
    -4, -2, 0, 2, 2, 0, -2, -4,
    -4, -2, 0, 2, 2, 0, -2, -4,
     0,  0, 2, 4, 4, 2,  0,  0,
};

constexpr Tabla64 PST_R_EG = {};

constexpr Tabla64 PST_Q_OP = {
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
    -5, -5, -5, -5, -5, -5, -5, -5,
};

constexpr Tabla64 PST_Q_EG = {
    -24, -16, -12, -8, -8, -12, -16, -24,
    -16,  -8,  -4,  0,  0,  -4,  -8, -16,
    -12,  -4,   0,  4,  4,   0,  -4, -12,
     -8,   0,   4,  8,  8,   4,   0,  -8,
     -8,   0,   4,  8,  8,   4,   0,  -8,
    -12,  -4,   0,  4,  4,   0,  -4, -12,
    -16,  -8,  -4,  0,  0,  -4,  -8, -16,
    -24, -16, -12, -8, -8, -12, -16, -24,
};

// Squares where a knight can be an outpost (ranks 8 to 4 from the side's own view).
constexpr Tabla64 PST_OUTPOST = {
    1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
};

// d5, e5, d4, e4.
constexpr Tabla64 PST_CENTER = {
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
};

// Closeness of two squares: 14 minus their rows-plus-files distance (14 on the same square, 0
// for opposite corners).
constexpr int distance(int a, int b) { return 14 - GEOMETRIA.manhattan[a][b]; }

// ---- Square sets -------------------------------------------------------------------------
// A square set has bit s for square s.
using Bits = std::uint64_t;
constexpr Bits Bit(int casilla) { return Bits(1) << casilla; }

// The number of squares in a set, by adding bit counts in ever wider fields. Compilers turn this
// into the processor's population count where the build allows it (the default build does
// not assume one).
constexpr int ContarBits(Bits x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int((x * 0x0101010101010101ull) >> 56);
}
// The files a set touches (bit f for file f): its eight ranks laid on top of each other.
constexpr unsigned ColumnasDe(Bits x) {
    x |= x >> 32;
    x |= x >> 16;
    x |= x >> 8;
    return unsigned(x & 0xFF);
}

// ---- Pawns -------------------------------------------------------------------------------
constexpr Tabla64 PST_P_OP = {
    -15, -5, 5, 15, 15, 5, -5, -15,
    -15, -5, 5,  5,  5, 5, -5, -15,
    -15, -5, 5,  5,  5, 5, -5, -15,
    -15, -5, 5, 15, 15, 5, -5, -15,
    -15, -5, 5, 15, 15, 5, -5, -15,
    -15, -5, 5,  5,  5, 5, -5, -15,
    -15, -5, 5,  5,  5, 5, -5, -15,
    -15, -5, 5, 15, 15, 5, -5, -15,
};

constexpr Tabla64 PST_P_EG = {
     0,  0,  0,  0,  0,  0,  0,  0,
    15, 15, 15, 15, 15, 15, 15, 15,
    10, 10, 10, 10, 10, 10, 10, 10,
     8,  8,  8,  8,  8,  8,  8,  8,
     4,  4,  4,  4,  4,  4,  4,  4,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,
};

// By relative rank r (1 = starting rank, 6 = one step from promotion): entries 0..7 middlegame,
// 8..15 endgame.
constexpr int BONUS_PASSED[16] = {0, 0, 0, 8, 16, 32, 64, 0, 0, 0, 0, 16, 32, 64, 128, 0};
constexpr int BONUS_UNBLOCKED[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 40, 80, 120, 0};
constexpr int BONUS_PEON_IMPARABLE[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50, 100, 200, 400, 800, 0};
constexpr int BONUS_CANDIDATE[16] = {0, 0, 1, 2, 4, 8, 0, 0, 0, 0, 2, 4, 8, 16, 0, 0};

struct Par {
    int op, eg;
};
constexpr Par PENALIZACION_PEON_DOUBLED = {-8, -10};
constexpr Par PENALIZACION_PEON_ISOLATED = {-8, -16};
constexpr Par PENALIZACION_PEON_ISOLATED_ABIERTO = {-16, -20};
constexpr Par PENALIZACION_PEON_RETRASADO = {-8, -12};
constexpr Par PENALIZACION_PEON_RETRASADO_ABIERTO = {-16, -24};
constexpr Par BONUS_CONNECTED = {0, 10};

// ---- Kings -------------------------------------------------------------------------------
constexpr Tabla64 PST_K_OP = {
    -40, -30, -50, -70, -70, -50, -30, -40,
    -30, -20, -40, -60, -60, -40, -20, -30,
    -20, -10, -30, -50, -50, -30, -10, -20,
    -10,   0, -20, -40, -40, -20,   0, -10,
      0,  10, -10, -30, -30, -10,  10,   0,
     10,  20,   0, -20, -20,   0,  20,  10,
     30,  40,  20,   0,   0,  20,  40,  30,
     40,  50,  30,  10,  10,  30,  50,  40,
};

// Pawns on both wings, or none.
constexpr Tabla64 PST_K_EG = {
    -72, -48, -36, -24, -24, -36, -48, -72,
    -48, -24, -12,   0,   0, -12, -24, -48,
    -36, -12,   0,  12,  12,   0, -12, -36,
    -24,   0,  12,  24,  24,  12,   0, -24,
    -24,   0,  12,  24,  24,  12,   0, -24,
    -36, -12,   0,  12,  12,   0, -12, -36,
    -48, -24, -12,   0,   0, -12, -24, -48,
    -72, -48, -36, -24, -24, -36, -48, -72,
};

// Own pawns only on files e..h.
constexpr Tabla64 PST_K_EG_KS = {
    -10, -10, -10, -10, -10, -10, -10, -10,
    -10,   0,   5,  10,  20,  30,  40, -10,
    -10,   0,   5,  10,  20,  30,  40, -10,
    -10,   0,   5,  10,  20,  30,  40, -10,
    -10,   0,   5,  10,  20,  30,  40, -10,
    -10,   0,   5,  10,  20,  20,  30, -10,
    -10,   0,   5,  10,  10,  20,  20, -10,
    -10, -10, -10, -10, -10, -10, -10, -10,
};

// Own pawns only on files a..d.
constexpr Tabla64 PST_K_EG_QS = {
    -10, -10, -10, -10, -10, -10, -10, -10,
    -10,  40,  30,  20,  10,   5,   0, -10,
    -10,  40,  30,  20,  10,   5,   0, -10,
    -10,  40,  30,  20,  10,   5,   0, -10,
    -10,  40,  30,  20,  10,   5,   0, -10,
    -10,  30,  20,  20,  10,   5,   0, -10,
    -10,  20,  20,  10,  10,   5,   0, -10,
    -10, -10, -10, -10, -10, -10, -10, -10,
};

constexpr int BONUS_ENROCADO = 25;

// Threats on undefended men, by the piece code of the man hit (both colours alike).
//                                   -  P   N   B   R   Q  K  .  p   n   b   r   q  k  -  -
constexpr int B_KNIGHT_ATTACK[16] = {0, 4, 20, 20, 40, 40, 0, 0, 4, 20, 20, 40, 40, 0, 0, 0};
constexpr int B_BISHOP_ATTACK[16] = {0, 4, 20, 20, 40, 40, 0, 0, 4, 20, 20, 40, 40, 0, 0, 0};
constexpr int B_ROOK_ATTACK[16] = {0, 4, 12, 12, 20, 20, 0, 0, 4, 12, 12, 20, 20, 0, 0, 0};
constexpr int B_QUEEN_ATTACK[16] = {0, 3, 9, 9, 15, 15, 0, 0, 3, 9, 9, 15, 15, 0, 0, 0};

// By the number of attacked squares next to the enemy king, 0..15.
constexpr int KING_ATTACK_MULTI[16] = {0, 0, 60, 90, 120, 150, 180, 200, 200, 200, 200, 200, 200, 200, 200, 200};

// ---- Difficult endgames ------------------------------------------------------------------
constexpr int PushAway[8] = {0, 5, 20, 40, 60, 80, 90, 100};
constexpr int PushClose[8] = {0, 0, 100, 80, 60, 40, 20, 10};

constexpr Tabla64 Rey_Tablero_Fin_Mate = {
    100, 90, 80, 70, 70, 80, 90, 100,
     90, 70, 60, 50, 50, 60, 70,  90,
     80, 60, 40, 30, 30, 40, 60,  80,
     70, 50, 30, 20, 20, 30, 50,  70,
     70, 50, 30, 20, 20, 30, 50,  70,
     80, 60, 40, 30, 30, 40, 60,  80,
     90, 70, 60, 50, 50, 60, 70,  90,
    100, 90, 80, 70, 70, 80, 90, 100,
};

// Largest in the a8 and h1 corners.
constexpr Tabla64 PushToCorners = {
    200, 190, 180, 170, 160, 150, 140, 130,
    190, 180, 170, 160, 150, 140, 130, 140,
    180, 170, 155, 140, 140, 125, 140, 150,
    170, 160, 140, 120, 110, 140, 150, 160,
    160, 150, 140, 110, 120, 140, 160, 170,
    150, 140, 125, 140, 140, 155, 170, 180,
    140, 130, 140, 150, 160, 170, 180, 190,
    130, 140, 150, 160, 170, 180, 190, 200,
};

// c6..f6 down to c3..f3.
constexpr Tabla64 Rey_Tablero_Centro = {
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0,
};

// Bishop and knight mate: by the colour of the bishop's square (0 dark, 1 light), largest in
// the two corners of that colour. Table 1 is table 0 mirrored left to right.
constexpr Tabla64 KBNK_OSCURO = {
      0,  20,  80, 100, 120, 140, 160, 200,
     20,   0,  20,  80, 100, 120, 140, 160,
     80,  20,   0,  20,  80, 100, 120, 140,
    100,  80,  20,   0,  20,  80, 100, 120,
    120, 100,  80,  20,   0,  20,  80, 100,
    140, 120, 100,  80,  20,   0,  20,  80,
    160, 140, 120, 100,  80,  20,   0,  20,
    200, 160, 140, 120, 100,  80,  20,   0,
};
constexpr std::array<Tabla64, 2> CrearKBNK() {
    std::array<Tabla64, 2> t{};
    for (int s = 0; s < 64; s++) {
        t[0][s] = KBNK_OSCURO[s];
        t[1][s] = KBNK_OSCURO[Fila(s) * 8 + 7 - Columna(s)];
    }
    return t;
}
inline constexpr std::array<Tabla64, 2> KBNKMateTable = CrearKBNK();

}  // namespace tablas

namespace tablas {

// The generated tables, checked against the printed ones where they can be.
constexpr bool ReyFinalSegunFormula() {
    constexpr int g[8] = {-3, -1, 0, 1, 1, 0, -1, -3};
    for (int s = 0; s < 64; s++)
        if (PST_K_EG[s] != 12 * (g[Fila(s)] + g[Columna(s)])) return false;
    return true;
}
static_assert(ReyFinalSegunFormula());
static_assert(KBNKMateTable[1][Sq('h', 1)] == 200 && KBNKMateTable[1][Sq('a', 1)] == 0 && KBNKMateTable[0][Sq('a', 1)] == 200);
static_assert(ContarBits(0x8100000000000081ull) == 4 && ContarBits(~Bits(0)) == 64);
static_assert(ColumnasDe(Bit(Sq('c', 7)) | Bit(Sq('h', 1))) == 0x84);

}  // namespace tablas
