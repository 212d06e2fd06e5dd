// Win, draw and loss odds of a score. Only the info lines ask, and only with UCI_ShowWDL on.
#include "search/wdl.h"

#include <cmath>

#include "board/board.h"

Wdl CalcularWdl(int puntuacion, int material) {
    using namespace modelo_wdl;
    if (EsPuntuacionMate(puntuacion) || puntuacion >= VALOR_INFINITO || puntuacion <= -VALOR_INFINITO)
        return puntuacion > 0 ? Wdl{1000, 0, 0} : Wdl{0, 0, 1000};
    const double a = CENTRO + CENTRO_POR_MATERIAL * material, b = ESCALA + ESCALA_POR_MATERIAL * material;
    const double s = puntuacion;
    const int w = int(std::lround(1000.0 / (1.0 + std::exp(-(s - a) / b))));
    const int l = int(std::lround(1000.0 / (1.0 + std::exp((s + a) / b))));
    // Rounding (or a fit with a below 0) may leave the draws a permille short: taken from the
    // larger side.
    const int d = 1000 - w - l;
    if (d >= 0) return {w, d, l};
    return w > l ? Wdl{w + d, 0, l} : Wdl{w, 0, l + d};
}

int MaterialTablero() {
    using namespace modelo_wdl;
    const DatosBando* const bandos[] = {&Blancas, &Negras};
    int m = 0;
    for (const DatosBando* b : bandos)
        m += VALOR_PEON * b->NumPeones + VALOR_MENOR * (b->NumCaballos + b->NumAlfiles) + VALOR_TORRE * b->NumTorres +
             VALOR_DAMA * b->NumDamas;
    return m;
}
