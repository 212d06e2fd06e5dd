// King placement, pawn shelter and storm, the castled bonus, threats against undefended men
// and the attack on the enemy king. Shelter, storm and king attack count only while the
// attacking side has a queen and another piece (ReyEnPeligro).
#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

namespace {

template <bool Blanco>
void EvaluarRey() {
    const TipoTablero& T = TableroGlobal;
    DatosEval& p = Blanco ? EvalBlancas : EvalNegras;
    constexpr int PEON = Blanco ? PEON_B : PEON_N;
    constexpr int PEON_RIVAL = Blanco ? PEON_N : PEON_B;
    const int k = Blanco ? T.PosicionReyBlanco : T.PosicionReyNegro;
    const int i = Blanco ? k : Flip(k);

    p.PuntosMedio += PST_K_OP[i];
    // Own pawns on files a..d, on files e..h.
    const Bits peones = Conjuntos.piezas[PEON], rivales = Conjuntos.piezas[PEON_RIVAL];
    const bool dama = peones & (COLUMNA_A * 0x0F), rey = peones & (COLUMNA_A * 0xF0);
    if (!dama && rey) p.PuntosFinal += PST_K_EG_KS[i];
    else if (dama && !rey) p.PuntosFinal += PST_K_EG_QS[i];
    else p.PuntosFinal += PST_K_EG[i];

    if (p.ReyEnPeligro == 1 && Fila(k) != (Blanco ? 7 : 0)) {
        // Shelter: the three squares in front of the king, those on the board.
        constexpr int delante[3] = {Blanco ? DIR_M7 : DIR_P7, Blanco ? DIR_M8 : DIR_P8, Blanco ? DIR_M9 : DIR_P9};
        for (int dir : delante) {
            if (GEOMETRIA.largo[k][dir] == 0) continue;
            const int q = k + PASO_DIRECCION[dir];
            if (T.Tablero[q] == PEON) continue;
            bool borde = Blanco ? q < 8 : q >= 56;
            if (borde || T.Tablero[Blanco ? q - 8 : q + 8] == PEON) p.PuntosMedio -= 20;
            else p.PuntosMedio -= 30;
        }
        // Storm: enemy pawns on either wing (files a, b, c, f, g, h), by how far they have come.
        constexpr Bits ALAS = 0xE7;
        constexpr int filas[3] = {Blanco ? 3 : 4, Blanco ? 4 : 3, Blanco ? 5 : 2};  // defender's ranks 5, 4, 3
        constexpr int COSTE[3] = {10, 20, 30};
        for (int n = 0; n < 3; n++) p.PuntosMedio -= COSTE[n] * ContarBits(rivales & ALAS << 8 * filas[n]);
    }

    if ((Blanco ? T.EnroqueBlancas : T.EnroqueNegras) > 3) {  // 4 or 5: has castled
        p.PuntosMedio += BONUS_ENROCADO;
        p.PuntosFinal += BONUS_ENROCADO;
    }
}

inline bool EsDe(int codigo, bool blanco) {
    return blanco ? (codigo >= PEON_B && codigo <= REY_B) : (codigo >= PEON_N && codigo <= REY_N);
}

void Amenazas(DatosEval& p, const DatosEval& rival, bool rivalBlanco) {
    const i32* tablero = TableroGlobal.Tablero;
    int total = 0;
    auto sumar = [&](const i32* lista, int usados, const int (&valor)[16]) {
        for (int k = 0; k < usados; k++) {
            int q = lista[k];
            int c = tablero[q];
            if (EsDe(c, rivalBlanco) && rival.Defendida[q] == 0) total += valor[c];
        }
    };
    sumar(p.AtaquesCaballo, p.NumAtaquesCaballo, B_KNIGHT_ATTACK);
    sumar(p.AtaquesAlfil, p.NumAtaquesAlfil, B_BISHOP_ATTACK);
    sumar(p.AtaquesTorre, p.NumAtaquesTorre, B_ROOK_ATTACK);
    sumar(p.AtaquesDama, p.NumAtaquesDama, B_QUEEN_ATTACK);
    p.PuntosMedio += total;
    p.PuntosFinal += total;
}

void AtaqueRey(DatosEval& p, const DatosEval& rival) {
    if (rival.ReyEnPeligro != 1) return;
    int n = p.AtaquesZonaRey, w = p.PesoAtacantes;
    if (n < 2) return;
    int v = n <= 15 ? w * 25 * KING_ATTACK_MULTI[n] / 100 : 50 * w;
    p.PuntosMedio += v;
    p.PuntosFinal += v / 8;
}

}  // namespace

void EvaluarReyB() { EvaluarRey<true>(); }
void EvaluarReyN() { EvaluarRey<false>(); }

void EvaluarAmenazas() {
    Amenazas(EvalBlancas, EvalNegras, false);
    Amenazas(EvalNegras, EvalBlancas, true);
}

void EvaluarAtaqueRey() {
    AtaqueRey(EvalBlancas, EvalNegras);
    AtaqueRey(EvalNegras, EvalBlancas);
}
