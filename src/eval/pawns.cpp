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

// What a side's pawn terms owe to the pawns alone, summed over its listed pawns, and the
// passed pawns (each the first of its file) whose further bonuses depend on more than pawns:
// the square in front being empty, and the race against a bare enemy king.
struct TerminosPeones {
    i32 op, eg;
    Bits pasados;
};

template <bool Blanco>
void EvaluarPeon(const Estructura& e, int s, bool primero, TerminosPeones& t) {
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
    } else if (pasado) {
        t.pasados |= b;
    }

    bool retrasado = !pasado && !aislado && (e.vecinoDelante & b);
    if (retrasado) {
        const Par& pen = bloqueado ? PENALIZACION_PEON_RETRASADO : PENALIZACION_PEON_RETRASADO_ABIERTO;
        t.op += op + pen.op;
        t.eg += eg + pen.eg;
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
    }
    t.op += op;
    t.eg += eg;
}

// The passed pawns' record for the search, and their bonuses that depend on more than pawns.
template <bool Blanco>
void EvaluarPasados(Bits pasados) {
    using L = Lado<Blanco>;
    DatosEval& p = L::Propio();
    const DatosBando& r = L::PiezasRival();
    const Bits frenteVacio = pasados & Retroceder<Blanco>(~Conjuntos.ocupadas);
    // Against a bare king (pawns aside) the king may be unable to catch it.
    const bool reyDesnudo = r.NumCaballos + r.NumAlfiles + r.NumTorres + r.NumDamas == 0;
    for (; pasados; pasados &= pasados - 1) {
        const int s = __builtin_ctzll(pasados), columna = Columna(s);
        const int rango = Blanco ? 7 - Fila(s) : Fila(s);
        p.PeonPasado[columna] = i8(s);
        if (frenteVacio & Bit(s)) {
            p.PuntosMedio += BONUS_UNBLOCKED[rango];
            p.PuntosFinal += BONUS_UNBLOCKED[8 + rango];
        }
        if (reyDesnudo) {
            int distanciaPeon = (7 - rango) + (L::RivalMueve() ? 1 : 0);
            int coronacion = Blanco ? columna : 56 + columna;
            if (distanciaPeon < Distancia(L::ReyRival(), coronacion)) {
                p.PuntosMedio += BONUS_PEON_IMPARABLE[rango];
                p.PuntosFinal += BONUS_PEON_IMPARABLE[8 + rango];
            }
        }
    }
}

// The pawn terms of each side by its own and the enemy pawns: most evaluations meet a pawn
// structure seen shortly before. An empty entry holds no pawns and no terms, which is right.
// (With 1024 entries a side the search measured slower: too many structures left out.)
struct EntradaPeones {
    Bits propios, rivales;
    TerminosPeones terminos;
};
constexpr int BITS_TABLA_PEONES = 13;
POR_HILO EntradaPeones TablaPeones[2][1 << BITS_TABLA_PEONES];

inline EntradaPeones& EntradaDe(bool blanco, Bits propios, Bits rivales) {
    const u64 mezcla = propios * 0x9E3779B97F4A7C15ull ^ (rivales + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    return TablaPeones[blanco][mezcla >> (64 - BITS_TABLA_PEONES)];
}

// Brings each further pawn of a file into slot 0 in turn, the one there going to its slot, and
// scores it (unless the terms are known).
template <bool Blanco>
inline void RotarColumna(DatosEval& p, int columna, const Estructura* e, TerminosPeones& t) {
    for (int siguiente = 1; p.PeonesColumna[columna] > 1 && siguiente < 4; siguiente++) {
        const int otro = p.CasillaPeon[siguiente][columna];
        if (otro == -1) break;
        p.CasillaPeon[siguiente][columna] = p.CasillaPeon[0][columna];
        p.CasillaPeon[0][columna] = otro;
        if (e) EvaluarPeon<Blanco>(*e, otro, false, t);
    }
}

// Visits every pawn of each file once, starting with the one in slot 0 (White: the most
// advanced; Black: the least advanced), rotating the next slot into slot 0 each time. The
// pawns-only terms come from the table when it holds this structure.
template <bool Blanco>
void EvaluarPeones() {
    using L = Lado<Blanco>;
    DatosEval& p = L::Propio();
    const Bits propios = Conjuntos.piezas[L::PEON], rivales = Conjuntos.piezas[L::PEON_RIVAL];
    EntradaPeones& entrada = EntradaDe(Blanco, propios, rivales);
    const bool conocida = entrada.propios == propios && entrada.rivales == rivales;
    TerminosPeones t{0, 0, 0};
    if (conocida) {
        // Only the files with two pawns or more have slots to rotate.
        t = entrada.terminos;
        for (unsigned dobladas = ColumnasDe(propios & Detras<Blanco>(propios)); dobladas; dobladas &= dobladas - 1)
            RotarColumna<Blanco>(p, __builtin_ctz(dobladas), nullptr, t);
    } else {
        const Estructura e = CalcularEstructura<Blanco>();
        for (int columna = 0; columna < 8; columna++) {
            if (p.PeonesColumna[columna] == 0) continue;
            EvaluarPeon<Blanco>(e, p.CasillaPeon[0][columna], true, t);
            RotarColumna<Blanco>(p, columna, &e, t);
        }
        entrada = {propios, rivales, t};
    }
    p.PuntosMedio += t.op;
    p.PuntosFinal += t.eg;
    EvaluarPasados<Blanco>(t.pasados);
}

}  // namespace

void PrecargarPeones() {
    const Bits blancos = Conjuntos.piezas[PEON_B], negros = Conjuntos.piezas[PEON_N];
    __builtin_prefetch(&EntradaDe(true, blancos, negros));
    __builtin_prefetch(&EntradaDe(false, negros, blancos));
}

void EvaluarPeonesB() { EvaluarPeones<true>(); }
void EvaluarPeonesN() { EvaluarPeones<false>(); }
