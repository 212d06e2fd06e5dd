// Every constant table of the evaluation, in one place. Square tables are written from
// White's side with entry 0 = a8 (rank 8 is the first row below); Black reads them at
// Flip(square) = 63 - square, a half-turn of the board.
#pragma once

#include <array>
#include <cstdint>

namespace tablas {

using Tabla64 = std::array<int, 64>;

constexpr int Flip(int casilla) { return 63 - casilla; }
constexpr int Fila(int casilla) { return casilla >> 3; }      // 0 = rank 8
constexpr int Columna(int casilla) { return casilla & 7; }    // 0 = file a
constexpr int Absoluto(int x) { return x < 0 ? -x : x; }
constexpr int Maximo(int a, int b) { return a > b ? a : b; }
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

// Closeness of two squares: 14 minus their Manhattan distance (14 same square, 0 opposite corners).
// Chebyshev: the king-step distance.
struct TablasDistancia {
    unsigned char cercania[64][64];
    unsigned char chebyshev[64][64];
};
constexpr TablasDistancia CrearDistancias() {
    TablasDistancia t{};
    for (int a = 0; a < 64; a++)
        for (int b = 0; b < 64; b++) {
            int df = Absoluto(Fila(a) - Fila(b)), dc = Absoluto(Columna(a) - Columna(b));
            t.cercania[a][b] = static_cast<unsigned char>(14 - (df + dc));
            t.chebyshev[a][b] = static_cast<unsigned char>(Maximo(df, dc));
        }
    return t;
}
inline constexpr TablasDistancia DISTANCIAS = CrearDistancias();
constexpr int distance(int a, int b) { return DISTANCIAS.cercania[a][b]; }
constexpr int Chebyshev(int a, int b) { return DISTANCIAS.chebyshev[a][b]; }

// ---- Steps, rays and square sets ----------------------------------------------------------
// A square set has bit s for square s.
using Bits = std::uint64_t;
constexpr Bits Bit(int casilla) { return Bits(1) << casilla; }
constexpr Bits COLUMNA_A = 0x0101010101010101ull;
constexpr Bits COLUMNA_H = COLUMNA_A << 7;

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

constexpr int SALTOS_CABALLO[8] = {-17, -15, -10, -6, 6, 10, 15, 17};

// Steps are told from wrapped ones by square colour (the board's ColorCasilla rule: light when
// row + file is even): a diagonal step keeps the colour, an orthogonal step and a knight jump
// change it. The tables below apply that rule once, at compile time.
constexpr int Claro(int casilla) { return (Fila(casilla) + Columna(casilla)) % 2 == 0 ? 1 : 0; }
constexpr bool PasoValido(int desde, int paso) {
    int hasta = desde + paso;
    if (hasta < 0 || hasta > 63) return false;
    bool diagonal = paso == 7 || paso == -7 || paso == 9 || paso == -9;
    return diagonal ? Claro(hasta) == Claro(desde) : Claro(hasta) != Claro(desde);
}

// A knight's valid targets from each square. The jumps, in the order above, reach ever higher
// squares, so walking a set of targets from its lowest square up follows the jump order.
constexpr std::array<Bits, 64> CrearSaltos() {
    std::array<Bits, 64> t{};
    for (int s = 0; s < 64; s++)
        for (int salto : SALTOS_CABALLO)
            if (PasoValido(s, salto)) t[s] |= Bit(s + salto);
    return t;
}
inline constexpr std::array<Bits, 64> SALTOS = CrearSaltos();

// Rays: the squares a slider on each square would cross on an empty board, per direction.
constexpr int IndiceRayo(int paso) {
    switch (paso) {
        case -9: return 0;
        case -8: return 1;
        case -7: return 2;
        case -1: return 3;
        case 1: return 4;
        case 7: return 5;
        case 8: return 6;
        default: return 7;  // 9
    }
}
struct TablaRayos {
    Bits rayo[8][64];
};
constexpr TablaRayos CrearRayos() {
    TablaRayos t{};
    constexpr int pasos[8] = {-9, -8, -7, -1, 1, 7, 8, 9};
    for (int s = 0; s < 64; s++)
        for (int paso : pasos)
            for (int actual = s; PasoValido(actual, paso); actual += paso) t.rayo[IndiceRayo(paso)][s] |= Bit(actual + paso);
    return t;
}
inline constexpr TablaRayos RAYOS = CrearRayos();
// The direction is a template argument so that the table row is chosen at compile time.
template <int Paso>
constexpr Bits RayoDesde(int casilla) { return RAYOS.rayo[IndiceRayo(Paso)][casilla]; }

// The squares attacked by a set of pawns (White's capture up the board: -9 and -7; Black's
// down: +9 and +7), without the steps that would wrap from one edge file to the other.
constexpr Bits AtaquesPeones(Bits peones, bool blanco) {
    return blanco ? ((peones & ~COLUMNA_A) >> 9) | ((peones & ~COLUMNA_H) >> 7)
                  : ((peones & ~COLUMNA_H) << 9) | ((peones & ~COLUMNA_A) << 7);
}

// The squares next to each square (Chebyshev distance 1).
constexpr std::array<Bits, 64> CrearZonas() {
    std::array<Bits, 64> z{};
    for (int k = 0; k < 64; k++)
        for (int t = 0; t < 64; t++)
            if (Maximo(Absoluto(Fila(t) - Fila(k)), Absoluto(Columna(t) - Columna(k))) == 1) z[k] |= Bit(t);
    return z;
}
inline constexpr std::array<Bits, 64> ZONA_REY = CrearZonas();


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
// The step rule walked by hand: how many steps a ray takes from a square.
constexpr int LargoRayo(int casilla, int paso) {
    int n = 0;
    for (int actual = casilla; PasoValido(actual, paso); actual += paso) n++;
    return n;
}
static_assert(LargoRayo(Sq('a', 1), -7) == 7 && LargoRayo(Sq('a', 1), -9) == 0 && LargoRayo(Sq('h', 8), 1) == 0 && LargoRayo(Sq('d', 4), -1) == 3);
// Every ray set holds as many squares as the ray takes steps.
constexpr bool RayosSegunPasos() {
    constexpr int pasos[8] = {-9, -8, -7, -1, 1, 7, 8, 9};
    for (int s = 0; s < 64; s++)
        for (int paso : pasos)
            if (ContarBits(RAYOS.rayo[IndiceRayo(paso)][s]) != LargoRayo(s, paso)) return false;
    return true;
}
static_assert(RayosSegunPasos());
static_assert(RayoDesde<-7>(Sq('a', 1)) == 0x0002040810204080ull && RayoDesde<-9>(Sq('a', 1)) == 0 && RayoDesde<-1>(Sq('d', 4)) == 0x0000000700000000ull);
static_assert(SALTOS[Sq('a', 8)] == (Bit(Sq('c', 7)) | Bit(Sq('b', 6))));
static_assert(ContarBits(SALTOS[Sq('e', 4)]) == 8 && ContarBits(SALTOS[Sq('h', 1)]) == 2 && ContarBits(~Bits(0)) == 64);
static_assert(ColumnasDe(Bit(Sq('c', 7)) | Bit(Sq('h', 1))) == 0x84);
// The pawn attack sets agree with the step rule, square by square.
constexpr bool AtaquesPeonSegunPasos() {
    for (int s = 0; s < 64; s++) {
        Bits b = 0, n = 0;
        if (PasoValido(s, -9)) b |= Bit(s - 9);
        if (PasoValido(s, -7)) b |= Bit(s - 7);
        if (PasoValido(s, 9)) n |= Bit(s + 9);
        if (PasoValido(s, 7)) n |= Bit(s + 7);
        if (AtaquesPeones(Bit(s), true) != b || AtaquesPeones(Bit(s), false) != n) return false;
    }
    return true;
}
static_assert(AtaquesPeonSegunPasos());
static_assert((ZONA_REY[Sq('e', 6)] >> Sq('f', 5)) & 1 && !((ZONA_REY[Sq('e', 6)] >> Sq('e', 6)) & 1) && !((ZONA_REY[Sq('h', 4)] >> Sq('a', 5)) & 1));

}  // namespace tablas
