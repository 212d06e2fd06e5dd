// Pawn structure: doubled, isolated, backward, supported and candidate pawns, passed pawns
// with their rank bonuses, and the pawn that the bare enemy king cannot catch. Each side's
// passed pawn per file is recorded in PeonPasado for the search.
#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

namespace {

template <bool Blanco>
struct LadoPeon {
    static constexpr int PEON = Blanco ? PEON_B : PEON_N;
    static constexpr int PEON_RIVAL = Blanco ? PEON_N : PEON_B;
    static constexpr int COLOR = Blanco ? COLOR_BLANCO : COLOR_NEGRO;
    static DatosBando& Propio() { return Blanco ? Blancas : Negras; }
    static DatosBando& Rival() { return Blanco ? Negras : Blancas; }
    static int ReyRival() { return Blanco ? TableroGlobal.PosicionReyNegro : TableroGlobal.PosicionReyBlanco; }
    static bool RivalMueve() { return TableroGlobal.Turno == (Blanco ? 0 : 1); }
};

template <bool Blanco>
void EvaluarPeon(int s, bool primero) {
    using L = LadoPeon<Blanco>;
    DatosBando &p = L::Propio(), &r = L::Rival();
    const int fila = Fila(s), columna = Columna(s);
    const int rango = Blanco ? 7 - fila : fila;  // 1 on the starting rank, 6 one step from promotion
    const int i = Blanco ? s : Flip(s);
    int op = PST_P_OP[i], eg = PST_P_EG[i];

    // Every pawn on the board counts here, listed or not. "Ahead" is towards promotion.
    const ConjuntosEval& c = Conjuntos;
    const Bits propios = c.piezas[L::PEON], rivales = c.piezas[L::PEON_RIVAL];
    const Bits frente = TABLAS_PEON.frente[L::COLOR][s];  // none from the last rank
    bool opuesto = (rivales & TABLAS_PEON.delante[L::COLOR][s]) != 0;
    bool pasado = !opuesto && (rivales & TABLAS_PEON.delanteLados[L::COLOR][s]) == 0;
    bool bloqueado = (rivales & frente) != 0;
    bool aislado = (propios & TABLAS_PEON.columnasVecinas[columna]) == 0;
    // Supported: an own pawn diagonally behind, that is, one attacking this square.
    bool apoyado = ((c.ataquesPeon[L::COLOR] >> s) & 1) != 0;
    // An own pawn diagonally in front: on a square this pawn attacks.
    bool vecinoDelante = !apoyado && (propios & TABLAS_PEON.ataques[L::COLOR][s]) != 0;

    if (!primero) {
        // Behind the file's first pawn: doubled, and never passed.
        op += PENALIZACION_PEON_DOUBLED.op;
        eg += PENALIZACION_PEON_DOUBLED.eg;
        pasado = false;
    } else {
        p.PeonPasado[columna] = i8(pasado ? s : -1);
    }

    bool retrasado = !pasado && !aislado && vecinoDelante;
    if (retrasado) {
        const Par& pen = bloqueado ? PENALIZACION_PEON_RETRASADO : PENALIZACION_PEON_RETRASADO_ABIERTO;
        p.PuntosMedio += op + pen.op;
        p.PuntosFinal += eg + pen.eg;
        return;
    }

    if (apoyado) {
        op += BONUS_CONNECTED.op;
        eg += BONUS_CONNECTED.eg;
    }
    if (aislado) {
        const Par& pen = bloqueado ? PENALIZACION_PEON_ISOLATED : PENALIZACION_PEON_ISOLATED_ABIERTO;
        op += pen.op;
        eg += pen.eg;
    }
    if (opuesto && !bloqueado && !aislado) {
        op += BONUS_CANDIDATE[rango];
        eg += BONUS_CANDIDATE[8 + rango];
    }
    if (pasado) {
        if (apoyado) {
            op += BONUS_CONNECTED.op;
            eg += BONUS_CONNECTED.eg;
        }
        op += BONUS_PASSED[rango];
        eg += BONUS_PASSED[8 + rango];
        if (frente & ~c.ocupadas) {
            op += BONUS_UNBLOCKED[rango];
            eg += BONUS_UNBLOCKED[8 + rango];
        }
        // Against a bare king (pawns aside): can the king still catch it?
        if (r.NumCaballos + r.NumAlfiles + r.NumTorres + r.NumDamas == 0) {
            int distanciaPeon = (7 - rango) + (L::RivalMueve() ? 1 : 0);
            int coronacion = Blanco ? columna : 56 + columna;
            if (distanciaPeon < Chebyshev(L::ReyRival(), coronacion)) {
                op += BONUS_PEON_IMPARABLE[rango];
                eg += BONUS_PEON_IMPARABLE[8 + rango];
            }
        }
    }
    p.PuntosMedio += op;
    p.PuntosFinal += eg;
}

// Visits every pawn of each file once, starting with the one in slot 0 (White: the most
// advanced; Black: the least advanced), rotating the next slot into slot 0 each time.
template <bool Blanco>
void EvaluarPeones() {
    DatosBando& p = LadoPeon<Blanco>::Propio();
    for (int columna = 0; columna < 8; columna++) {
        if (p.PeonesColumna[columna] == 0) continue;
        EvaluarPeon<Blanco>(p.CasillaPeon[0][columna], true);
        for (int siguiente = 1; p.PeonesColumna[columna] > 1 && siguiente < 4; siguiente++) {
            int otro = p.CasillaPeon[siguiente][columna];
            if (otro == -1) break;
            p.CasillaPeon[siguiente][columna] = p.CasillaPeon[0][columna];
            p.CasillaPeon[0][columna] = otro;
            EvaluarPeon<Blanco>(otro, false);
        }
    }
}

}  // namespace

void EvaluarPeonesB() { EvaluarPeones<true>(); }
void EvaluarPeonesN() { EvaluarPeones<false>(); }
