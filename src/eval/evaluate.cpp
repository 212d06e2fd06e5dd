// Placeholder evaluation (material and tempo) until the full evaluation lands.
#include "eval/eval.h"

int Evaluar(ResultadoEval* r) {
    auto material = [](const DatosBando& b) {
        return 100 * b.NumPeones + 325 * (b.NumCaballos + b.NumAlfiles) + 500 * b.NumTorres + 975 * b.NumDamas;
    };
    int s = material(Blancas) - material(Negras);
    if (TableroGlobal.Turno == 0) s = -s;
    s += 10;
    if (r) {
        r->Puntuacion = i16(s);
        for (int f = 0; f < 8; f++) r->PeonPasadoBlancas[f] = r->PeonPasadoNegras[f] = -1;
    }
    return s;
}
