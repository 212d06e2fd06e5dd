// Asking the probing library for the exact result of the board position.
#include <array>

#include "tablebases/gaviota.h"
#include "tablebases/operaciones.h"
#include "tablebases/tablas.h"

namespace {

// Board square (a8 = 0 .. h1 = 63) to library square (a1 = 0 .. h8 = 63): the rank mirrored.
constexpr std::array<unsigned, 64> Flip3 = [] {
    std::array<unsigned, 64> t{};
    for (unsigned s = 0; s < 64; s++) t[s] = s ^ 56;
    return t;
}();

// The library's constants.
constexpr unsigned SIN_CASILLA = 64;  // no square; also ends a piece list
constexpr unsigned char FIN_PIEZAS = 0;
constexpr unsigned TABLAS = 0, GANAN_BLANCAS = 1, GANAN_NEGRAS = 2, DESCONOCIDO = 7;
constexpr int MAX_PIEZAS_BANDO = 16;

// The library wants the square a capturing pawn would land on (e3 after e2-e4), while the
// board keeps the pawn that advanced: the target is the square behind that pawn, and only
// the side it did not move for may take it.
unsigned CasillaAlPaso(const TipoTablero& t) {
    const int peon = t.FichaAlPaso;
    if (peon >= 32 && peon < 40 && t.Turno == 0) return Flip3[peon + 8];  // white pawn on rank 4
    if (peon >= 24 && peon < 32 && t.Turno == 1) return Flip3[peon - 8];  // black pawn on rank 5
    return SIN_CASILLA;
}

unsigned Enroques(const TipoTablero& t) {
    const auto corto = [](int e) { return e == 1 || e == 3; };
    const auto largo = [](int e) { return e == 2 || e == 3; };
    return (corto(t.EnroqueBlancas) ? 8u : 0u) | (largo(t.EnroqueBlancas) ? 4u : 0u) |
           (corto(t.EnroqueNegras) ? 2u : 0u) | (largo(t.EnroqueNegras) ? 1u : 0u);
}

}  // namespace

int Probar_gtbgaviota(int& puntuacion, int profundidad) {
    puntuacion = 0;
    if (!tb_probe_hard || !tb_probe_soft) return 0;
    const TipoTablero& t = TableroGlobal;

    unsigned casillasB[MAX_PIEZAS_BANDO + 1], casillasN[MAX_PIEZAS_BANDO + 1];
    unsigned char piezasB[MAX_PIEZAS_BANDO + 1], piezasN[MAX_PIEZAS_BANDO + 1];
    int nb = 0, nn = 0;
    for (int s = 0; s < 64; s++) {
        const int p = t.Tablero[s];
        if (p >= PEON_B && p <= REY_B) {
            if (nb == MAX_PIEZAS_BANDO) return 0;  // no such position in the tables
            casillasB[nb] = Flip3[s];
            piezasB[nb++] = (unsigned char)p;
        } else if (p >= PEON_N && p <= REY_N) {
            if (nn == MAX_PIEZAS_BANDO) return 0;
            casillasN[nn] = Flip3[s];
            piezasN[nn++] = (unsigned char)(p - 7);
        }
    }
    casillasB[nb] = casillasN[nn] = SIN_CASILLA;
    piezasB[nb] = piezasN[nn] = FIN_PIEZAS;

    const unsigned turno = t.Turno == 1 ? 0 : 1;
    unsigned resultado = DESCONOCIDO, plies = 0;
    // Deep iterations ask only what the library already holds in memory; shallow ones may
    // make it read its files.
    const TipoTbSonda sonda = profundidad > 3 ? tb_probe_soft : tb_probe_hard;
    if (sonda(turno, CasillaAlPaso(t), Enroques(t), casillasB, casillasN, piezasB, piezasN, &resultado, &plies) != 1)
        return 0;

    if (resultado != TABLAS && resultado != GANAN_BLANCAS && resultado != GANAN_NEGRAS) return 0;
    AciertosTablas++;
    // A win is a mate one ply beyond the position at the least, plus the plies to mate.
    const int ganada = VALOR_MATE - 1 - int(plies);
    switch (resultado) {
    case TABLAS: return 1;
    case GANAN_BLANCAS: puntuacion = turno == 0 ? ganada : -ganada; return 1;
    case GANAN_NEGRAS: puntuacion = turno == 1 ? ganada : -ganada; return 1;
    default: return 0;
    }
}
