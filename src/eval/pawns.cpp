// Pawn structure: doubled, isolated, backward, supported and candidate pawns, passed pawns
// with their rank bonuses, and the pawn that the bare enemy king cannot catch. Each side's
// passed pawn per file is recorded in PeonPasado for the search.
#include "eval/lado.h"
#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

namespace {

// One rank back, away from promotion: down the board for White, up for Black.
template <bool Blanco>
constexpr Bits Retroceder(Bits b) { return Blanco ? b << 8 : b >> 8; }
// Every square behind the given ones on their files (the squares themselves excluded): one rank
// back, then the filled ranks doubled twice.
template <bool Blanco>
constexpr Bits Detras(Bits b) {
    if (Blanco) {
        b <<= 8;
        b |= b << 8;
        b |= b << 16;
        return b | b << 32;
    }
    b >>= 8;
    b |= b >> 8;
    b |= b >> 16;
    return b | b >> 32;
}
// The squares beside the given ones, on the neighbouring files.
constexpr Bits ColumnasLaterales(Bits b) { return ((b & ~COLUMNA_A) >> 1) | ((b & ~COLUMNA_H) << 1); }
// Whole files from a set of files (bit f for file f): the byte repeated on every rank.
constexpr Bits ColumnasEnteras(unsigned columnas) { return (Bits(columnas) & 0xFF) * COLUMNA_A; }

// The structure facts of every pawn of one side, as sets of its pawns' squares. Every pawn on
// the board counts here, listed or not.
struct Estructura {
    Bits opuestos;       // an enemy pawn ahead on the same file
    Bits libres;         // no enemy pawn ahead on the same or a neighbouring file
    Bits bloqueados;     // an enemy pawn directly ahead
    Bits aislados;       // no own pawn on a neighbouring file
    Bits apoyados;       // an own pawn diagonally behind
    Bits vecinoDelante;  // not supported, and an own pawn diagonally in front
    Bits frenteVacio;    // the square directly ahead is on the board and empty
};

template <bool Blanco>
Estructura CalcularEstructura() {
    using L = Lado<Blanco>;
    const ConjuntosEval& c = Conjuntos;
    const Bits propios = c.piezas[L::PEON], rivales = c.piezas[L::PEON_RIVAL];
    Estructura e;
    // A square behind an enemy pawn has that pawn ahead of it.
    e.opuestos = propios & Detras<Blanco>(rivales);
    e.libres = propios & ~Detras<Blanco>(rivales | ColumnasLaterales(rivales));
    e.bloqueados = propios & Retroceder<Blanco>(rivales);
    e.aislados = propios & ~ColumnasEnteras(ColumnasDe(ColumnasLaterales(propios)));
    // Diagonally behind: an own pawn attacks the square; diagonally in front: an own pawn
    // stands where this one attacks, i.e. it attacks as a pawn of the other colour would.
    e.apoyados = propios & c.ataquesPeon[L::COLOR];
    e.vecinoDelante = propios & ~e.apoyados & AtaquesPeones(propios, !Blanco);
    // The shift leaves no square ahead of a pawn on the last rank.
    e.frenteVacio = propios & Retroceder<Blanco>(~c.ocupadas);
    return e;
}

template <bool Blanco>
void EvaluarPeon(const Estructura& e, int s, bool primero) {
    using L = Lado<Blanco>;
    DatosEval& p = L::Propio();
    const DatosBando& r = L::PiezasRival();
    const int columna = Columna(s);
    const int rango = Blanco ? 7 - Fila(s) : Fila(s);  // 1 on the starting rank, 6 one step from promotion
    const int i = Blanco ? s : Flip(s);
    int op = PST_P_OP[i], eg = PST_P_EG[i];

    const Bits b = Bit(s);
    const bool opuesto = e.opuestos & b, bloqueado = e.bloqueados & b, aislado = e.aislados & b;
    const bool apoyado = e.apoyados & b;
    bool pasado = !opuesto && (e.libres & b);

    if (!primero) {
        // Behind the file's first pawn: doubled, and never passed.
        op += PENALIZACION_PEON_DOUBLED.op;
        eg += PENALIZACION_PEON_DOUBLED.eg;
        pasado = false;
    } else {
        p.PeonPasado[columna] = i8(pasado ? s : -1);
    }

    bool retrasado = !pasado && !aislado && (e.vecinoDelante & b);
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
        if (e.frenteVacio & b) {
            op += BONUS_UNBLOCKED[rango];
            eg += BONUS_UNBLOCKED[8 + rango];
        }
        // Against a bare king (pawns aside): can the king still catch it?
        if (r.NumCaballos + r.NumAlfiles + r.NumTorres + r.NumDamas == 0) {
            int distanciaPeon = (7 - rango) + (L::RivalMueve() ? 1 : 0);
            int coronacion = Blanco ? columna : 56 + columna;
            if (distanciaPeon < Distancia(L::ReyRival(), coronacion)) {
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
    DatosEval& p = Lado<Blanco>::Propio();
    const Estructura e = CalcularEstructura<Blanco>();
    for (int columna = 0; columna < 8; columna++) {
        if (p.PeonesColumna[columna] == 0) continue;
        EvaluarPeon<Blanco>(e, p.CasillaPeon[0][columna], true);
        for (int siguiente = 1; p.PeonesColumna[columna] > 1 && siguiente < 4; siguiente++) {
            int otro = p.CasillaPeon[siguiente][columna];
            if (otro == -1) break;
            p.CasillaPeon[siguiente][columna] = p.CasillaPeon[0][columna];
            p.CasillaPeon[0][columna] = otro;
            EvaluarPeon<Blanco>(e, otro, false);
        }
    }
}

}  // namespace

void EvaluarPeonesB() { EvaluarPeones<true>(); }
void EvaluarPeonesN() { EvaluarPeones<false>(); }
