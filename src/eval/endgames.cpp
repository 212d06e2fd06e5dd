// Endings recognised by their exact material, scored by hand instead of by the general terms:
// mates against a bare king, king and pawn against king, a rook or queen against a pawn, minor
// piece and pawn endings, and piece-against-piece endings that are drawn or nearly so.
#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

namespace {

struct Material {
    int P, N, B, R, Q;
    bool Es(int p, int n, int b, int r, int q) const { return P == p && N == n && B == b && R == r && Q == q; }
    bool Desnudo() const { return Es(0, 0, 0, 0, 0); }
};

Material De(const DatosBando& d) { return {d.NumPeones, d.NumCaballos, d.NumAlfiles, d.NumTorres, d.NumDamas}; }

int d(int a, int b) { return Distancia(a, b); }

// A score for the side `blanco`, turned to the side to move's point of view.
int Para(bool blanco, int v) { return (TableroGlobal.Turno == 1) == blanco ? v : -v; }

// The side's lone pawn: slot 0 of the first file a..h that has one; -1 if none is listed.
int PeonSolitario(const DatosEval& d) {
    for (int c = 0; c < 8; c++)
        if (d.CasillaPeon[0][c] != -1) return d.CasillaPeon[0][c];
    return -1;
}

// Moves a pawn needs to promote, one per rank.
int Pasos(int peon, bool blanco) { return blanco ? Fila(peon) : 7 - Fila(peon); }
int Rango(int peon, bool blanco) { return blanco ? 7 - Fila(peon) : Fila(peon); }
int Coronacion(int peon, bool blanco) { return blanco ? Columna(peon) : 56 + Columna(peon); }

// King and pawn against king.
int ReglaKPK(bool s, int p, int kW) {
    int pasos = Pasos(p, s) + ((TableroGlobal.Turno == 1) != s ? 1 : 0);
    int kd = d(kW, Coronacion(p, s));
    int extra = kd > pasos ? 2 * PushAway[kd] : 0;
    int v = 1000 + PushAway[Rango(p, s)] + extra;
    if (pasos < d(kW, p)) return Para(s, v);
    // The defending king stands level with the pawn or in front of it.
    if (s ? Fila(kW) <= Fila(p) : Fila(kW) >= Fila(p)) return 0;
    return Para(s, v);
}

// A rook or queen (on `pieza`) against a lone pawn on p of the other side.
int PiezaContraPeon(bool s, int pieza, int p, int kS, int kW, int base) {
    bool w = !s;
    if (kS == (w ? p - 8 : p + 8)) return Para(s, base + PushAway[d(kS, kW)]);
    int dp = d(kW, p);
    if (dp <= 2) {
        if (dp == 2) return Para(s, 4000);
        return Pasos(p, w) < d(kS, kW) ? 0 : Para(s, 4000);
    }
    int pasos = Pasos(p, w) + ((TableroGlobal.Turno == 1) == s ? 1 : 0);
    int coronacion = Coronacion(p, w);
    if (d(pieza, coronacion) > pasos && d(kS, coronacion) > pasos) return Para(w, 875);
    return Para(s, base + PushAway[d(kS, kW)]);
}

// The promotion corner when the pawn stands one step before it on the a- or h-file, else -1.
int EsquinaTorre(int p, bool blanco) {
    if (blanco) return p == Sq('a', 7) ? Sq('a', 8) : p == Sq('h', 7) ? Sq('h', 8) : -1;
    return p == Sq('a', 2) ? Sq('a', 1) : p == Sq('h', 2) ? Sq('h', 1) : -1;
}

// Knight and pawn against a bare king: the rook's pawn can be held in the corner.
int PeonTorre(bool s, int p, int kW) {
    int esquina = EsquinaTorre(p, s);
    if (esquina != -1 && d(kW, esquina) <= 1) return 0;
    return Para(s, 325);
}

// Bishop and pawn against a bare king.
int AlfilPeon(bool s, int p, int alfil, int kW) {
    const i32* color = TableroGlobal.ColorCasilla;
    int esquina = EsquinaTorre(p, s);
    if (esquina != -1 && d(kW, esquina) <= 1 && color[esquina] != color[alfil]) return 0;
    if ((TableroGlobal.Turno == 1) != s) return Para(s, 325);
    if (Peon_Asalvo(p, s ? COLOR_NEGRO : COLOR_BLANCO))
        return Para(s, 325 + PushAway[d(kW, p)] + PushAway[Rango(p, s)]);
    return Para(s, 325);
}

// Knight and pawn against bishop. The attack test is Black's in both colours.
int MenorPeonContraMenor(bool s, int p, int kW) {
    if ((TableroGlobal.Turno == 1) != s) return 0;
    if (!Peon_Asalvo(p, COLOR_NEGRO)) return 0;
    return Para(s, 325 + PushAway[d(kW, p)] + PushAway[Rango(p, s)]);
}

// The endings where `s` (true = White) is the favoured side S. -1 when none applies, -2 when
// the material matches but a listed square is missing (an inconsistent record).
constexpr int FALTA = -2;

int FinalesDe(bool s) {
    const TipoTablero& T = TableroGlobal;
    const DatosEval &dS = s ? EvalBlancas : EvalNegras, &dW = s ? EvalNegras : EvalBlancas;
    const Material S = De(s ? Blancas : Negras), W = De(s ? Negras : Blancas);
    const int kS = s ? T.PosicionReyBlanco : T.PosicionReyNegro;
    const int kW = s ? T.PosicionReyNegro : T.PosicionReyBlanco;
    const int cerca = PushClose[d(kS, kW)];

    if (W.Desnudo()) {
        if (S.Es(0, 1, 1, 0, 0)) {
            int alfil = dS.CasillaAlfil[0];
            if (alfil == -1) return FALTA;
            return Para(s, 4000 + KBNKMateTable[T.ColorCasilla[alfil]][kW] + cerca);
        }
        if (S.Es(0, 0, 2, 0, 0)) return Para(s, 4000 + Rey_Tablero_Fin_Mate[kW] + cerca);
        if (S.Es(0, 2, 0, 0, 0)) return 0;
        if (S.R > 0 || S.Q > 0) return Para(s, 4000 + Rey_Tablero_Fin_Mate[kW] + cerca);
        bool kpk = S.Es(1, 0, 0, 0, 0), knp = S.Es(1, 1, 0, 0, 0), kbp = S.Es(1, 0, 1, 0, 0);
        if (kpk || knp || kbp) {
            int p = PeonSolitario(dS);
            if (p == -1) return FALTA;
            if (kpk) return ReglaKPK(s, p, kW);
            if (knp) return PeonTorre(s, p, kW);
            int alfil = dS.CasillaAlfil[0];
            if (alfil == -1) return FALTA;
            return AlfilPeon(s, p, alfil, kW);
        }
        return -1;
    }

    if (S.Es(0, 2, 0, 0, 0) && W.Es(0, 1, 0, 0, 0)) return 0;
    if (S.Es(0, 0, 0, 1, 0) && W.Es(0, 0, 1, 1, 0)) return 0;

    if (S.Es(0, 0, 0, 1, 0) && W.Es(0, 0, 0, 1, 0)) {
        if ((T.Turno == 1) != s) return -1;  // S is the side to move; the other turn of the loop
        if (d(kS, kW) > 2) return 0;
        int torre = dW.CasillaTorre[0];
        if (torre == -1) return FALTA;
        return cerca + Rey_Tablero_Fin_Mate[kW] + PushAway[d(kW, torre)];
    }
    if (S.Es(0, 0, 0, 0, 1) && W.Es(0, 0, 0, 1, 0)) {
        int torre = dW.CasillaTorre[0];
        if (torre == -1) return FALTA;
        return Para(s, cerca + Rey_Tablero_Fin_Mate[kW] + PushAway[d(kW, torre)]);
    }
    if (S.Es(0, 0, 0, 1, 0) && W.Es(0, 0, 1, 0, 0)) return Para(s, Rey_Tablero_Fin_Mate[kW]);
    if (S.Es(0, 0, 0, 1, 0) && W.Es(0, 1, 0, 0, 0)) {
        int caballo = dW.CasillaCaballo[0];
        if (caballo == -1) return FALTA;
        return Para(s, Rey_Tablero_Fin_Mate[kW] + PushAway[d(kW, caballo)]);
    }
    bool torre = S.Es(0, 0, 0, 1, 0), dama = S.Es(0, 0, 0, 0, 1);
    if ((torre || dama) && W.Es(1, 0, 0, 0, 0)) {
        int pieza = torre ? dS.CasillaTorre[0] : dS.CasillaDama[0];
        int p = PeonSolitario(dW);
        if (pieza == -1 || p == -1) return FALTA;
        // The queen's base differs by colour: 975 for White's queen, 500 for Black's.
        int base = torre ? 500 : (s ? 975 : 500);
        return PiezaContraPeon(s, pieza, p, kS, kW, base);
    }
    if (S.Es(1, 1, 0, 0, 0) && W.Es(0, 0, 1, 0, 0)) {
        int p = PeonSolitario(dS);
        if (p == -1) return FALTA;
        return MenorPeonContraMenor(s, p, kW);
    }
    if (S.Es(0, 0, 2, 0, 0) && W.Es(0, 0, 2, 0, 0)) {
        if ((T.Turno == 1) != s) return -1;  // S is the side to move
        int a0 = dW.CasillaAlfil[0], a1 = dW.CasillaAlfil[1];
        if (a0 == -1 || a1 == -1) return FALTA;
        return cerca + PushToCorners[kW] + PushAway[d(kW, a0)] + PushAway[d(kW, a1)];
    }
    if (S.Es(0, 0, 2, 0, 0) && W.Es(0, 0, 1, 0, 0)) {
        if (Rey_Tablero_Centro[kW] == 1) return 0;
        int alfil = dW.CasillaAlfil[0];
        if (alfil == -1) return FALTA;
        return Para(s, cerca + PushToCorners[kW] + PushAway[d(kW, alfil)]);
    }
    if (S.Es(0, 0, 2, 0, 0) && W.Es(0, 1, 0, 0, 0)) {
        int caballo = dW.CasillaCaballo[0];
        if (caballo == -1) return FALTA;
        return Para(s, cerca + PushToCorners[kW] + PushAway[d(kW, caballo)]);
    }
    return -1;
}

}  // namespace

int Peon_Asalvo(int casilla, int color) {
    if (color == COLOR_BLANCO) return JaqueNegras(casilla);  // attacked by White?
    if (color == COLOR_NEGRO) return JaqueBlancas(casilla);  // attacked by Black?
    Salir = 1;
    return 0;
}

int EvaluarFinalesDificiles() {
    for (bool s : {true, false}) {
        int v = FinalesDe(s);
        if (v == FALTA) return -1;
        if (v != -1) return v;
    }
    return -1;
}
