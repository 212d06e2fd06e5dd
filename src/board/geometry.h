// Board geometry, computed at compile time from rows and files, shared by move generation, the
// attack tests, the exchange evaluation and the evaluation: how far each line runs from a
// square to the edge, the knight and king targets of each square in generation order, the line
// joining two squares, pawn captures, distances, and the same as square sets. A step that
// would wrap round the board edge never appears here, so no user needs an edge or colour test.
#pragma once

#include "board/board.h"

// The eight lines out of a square: the diagonals first, then the file and the rank.
enum : int { DIR_P9, DIR_P7, DIR_M7, DIR_M9, DIR_P8, DIR_M8, DIR_M1, DIR_P1 };
constexpr int PASO_DIRECCION[8] = {9, 7, -7, -9, 8, -8, -1, 1};

// Up to eight target squares, in a fixed order.
struct Destinos {
    u8 n;
    u8 casilla[8];
};

struct TablasGeometria {
    u8 largo[64][8];          // squares from s to the edge along each direction
    Destinos caballo[64];     // knight jumps, in the order +10, -6, +6, -10, +17, +15, -15, -17
    Destinos rey[64];         // king steps, in the order +8, -8, +1, -1, +9, -9, +7, -7
    i8 direccion[64][64];     // the direction from a towards b when both lie on one line, else -1
    u8 distancia[64][64];     // king steps from a to b: the larger of the row and file gaps
    u8 manhattan[64][64];     // the row gap plus the file gap
    // The same as bit masks (bit t for square t):
    u64 rayo[8][64];          // [direction][s]: the squares from s to the edge along it
    u64 diagonales[64];       // the four diagonal lines together
    u64 lineas[64];           // the file and the rank together
    u64 saltosCaballo[64];
    u64 pasosRey[64];         // the squares next to s: also the zone around a king on s
    u64 capturasPeon[2][64];  // [0] a black pawn's, [1] a white pawn's capture squares
};

// Files a and h as square sets.
constexpr u64 COLUMNA_A = 0x0101010101010101ull;
constexpr u64 COLUMNA_H = COLUMNA_A << 7;

// The squares a set of pawns attacks: White's take up the board (-9 and -7), Black's down
// (+9 and +7); no capture wraps from one edge file to the other.
constexpr u64 AtaquesPeones(u64 peones, bool blancos) {
    return blancos ? ((peones & ~COLUMNA_A) >> 9) | ((peones & ~COLUMNA_H) >> 7)
                   : ((peones & ~COLUMNA_H) << 9) | ((peones & ~COLUMNA_A) << 7);
}

constexpr TablasGeometria CrearGeometria() {
    TablasGeometria g{};
    constexpr int filaDir[8] = {1, 1, -1, -1, 1, -1, 0, 0};
    constexpr int colDir[8] = {1, -1, 1, -1, 0, 0, -1, 1};
    constexpr int saltoFila[8] = {1, -1, 1, -1, 2, 2, -2, -2};
    constexpr int saltoCol[8] = {2, 2, -2, -2, 1, -1, 1, -1};
    constexpr int reyFila[8] = {1, -1, 0, 0, 1, -1, 1, -1};
    constexpr int reyCol[8] = {0, 0, 1, -1, 1, -1, -1, 1};
    auto dentro = [](int f, int c) { return f >= 0 && f < 8 && c >= 0 && c < 8; };
    for (int a = 0; a < 64; a++)
        for (int b = 0; b < 64; b++) g.direccion[a][b] = -1;
    for (int s = 0; s < 64; s++) {
        const int f = s >> 3, c = s & 7;
        for (int d = 0; d < 8; d++) {
            int n = 0;
            while (dentro(f + filaDir[d] * (n + 1), c + colDir[d] * (n + 1))) n++;
            g.largo[s][d] = u8(n);
            for (int k = 1; k <= n; k++) {
                g.direccion[s][s + PASO_DIRECCION[d] * k] = i8(d);
                g.rayo[d][s] |= u64(1) << (s + PASO_DIRECCION[d] * k);
                (d <= DIR_M9 ? g.diagonales[s] : g.lineas[s]) |= u64(1) << (s + PASO_DIRECCION[d] * k);
            }
        }
        for (int k = 0; k < 8; k++) {
            const int fs = f + saltoFila[k], cs = c + saltoCol[k];
            if (dentro(fs, cs)) {
                g.caballo[s].casilla[g.caballo[s].n++] = u8(fs * 8 + cs);
                g.saltosCaballo[s] |= u64(1) << (fs * 8 + cs);
            }
            const int fr = f + reyFila[k], cr = c + reyCol[k];
            if (dentro(fr, cr)) {
                g.rey[s].casilla[g.rey[s].n++] = u8(fr * 8 + cr);
                g.pasosRey[s] |= u64(1) << (fr * 8 + cr);
            }
        }
        g.capturasPeon[0][s] = AtaquesPeones(u64(1) << s, false);
        g.capturasPeon[1][s] = AtaquesPeones(u64(1) << s, true);
        for (int t = 0; t < 64; t++) {
            const int df = f > (t >> 3) ? f - (t >> 3) : (t >> 3) - f;
            const int dc = c > (t & 7) ? c - (t & 7) : (t & 7) - c;
            g.distancia[s][t] = u8(df > dc ? df : dc);
            g.manhattan[s][t] = u8(df + dc);
        }
    }
    return g;
}

inline constexpr TablasGeometria GEOMETRIA = CrearGeometria();

constexpr int Distancia(int a, int b) { return GEOMETRIA.distancia[a][b]; }

constexpr bool EsDiagonal(int dir) { return dir <= DIR_M9; }

// The direction index of a line step (one of PASO_DIRECCION).
constexpr int IndiceDireccion(int paso) {
    switch (paso) {
        case 9: return DIR_P9;
        case 7: return DIR_P7;
        case -7: return DIR_M7;
        case -9: return DIR_M9;
        case 8: return DIR_P8;
        case -8: return DIR_M8;
        case -1: return DIR_M1;
        default: return DIR_P1;
    }
}

// The first man along direction dir from s, found from the occupied squares (bit t set when
// square t holds a man) without walking: the lowest occupied square of the line when it runs
// up the board numbering, the highest when it runs down. -1 when the line is empty.
inline int PrimeraOcupada(u64 ocupadas, int s, int dir) {
    const u64 linea = GEOMETRIA.rayo[dir][s] & ocupadas;
    if (linea == 0) return -1;
    return PASO_DIRECCION[dir] > 0 ? __builtin_ctzll(linea) : 63 - __builtin_clzll(linea);
}

// The square of the first man met from s along direction dir on the board; -1 when the line
// runs empty to the edge.
inline int PrimeraCasilla(int s, int dir) { return PrimeraOcupada(~TableroGlobal.Casillas[VACIA], s, dir); }
