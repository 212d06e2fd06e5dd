// The board scan (knights, bishops, queens; every man listed in its side's record) and the
// rook pass that runs after the pawn terms. While walking the moves it records which own men
// are defended, which enemy men each piece kind hits, and the pressure next to the enemy king.
//
// The scan takes square sets from the board once and then handles one piece kind at a time.
// Its results are those of a single walk over the squares in index order (a8, b8, ..., h1):
// every list is appended in square order, and the terms that look at what was met before a
// piece (knight outposts at the enemy bishops, a queen on the seventh at the own rooks, a
// knight's open files at the pawns) only count the squares before the piece's own.
#include "eval/lado.h"
#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

POR_HILO ConjuntosEval Conjuntos;

namespace {

inline int PrimerBit(Bits x) { return __builtin_ctzll(x); }
inline int UltimoBit(Bits x) { return 63 - __builtin_clzll(x); }
// The squares below s in index order: those a walk from a8 meets before s.
inline Bits Antes(int s) { return Bit(s) - 1; }

inline void Anotar(i32* lista, i32& usados, int capacidad, int casilla) {
    if (usados < capacidad) lista[usados++] = casilla;  // beyond capacity, targets are dropped
}

// Lists a set of pieces in square order; a ninth piece of one kind is not listed.
inline void Listar(i32 (&lista)[8], Bits piezas) {
    for (int k = 0; piezas && k < 8; k++, piezas &= piezas - 1) lista[k] = PrimerBit(piezas);
}

// One ray of a slider on s: the squares it reaches are the empty ones up to the first occupied
// square, which is included. That square is defended (own man) or listed as a target (enemy
// man). Returns the squares reached.
template <bool Blanco, int Dir>
inline Bits Rayo(int s, i32* lista, i32& usados, int capacidad) {
    using L = Lado<Blanco>;
    const Bits rayo = GEOMETRIA.rayo[Dir][s];
    const Bits ocupadas = rayo & Conjuntos.ocupadas;
    if (!ocupadas) return rayo;
    // The nearest occupied square: the lowest one on a rising ray, the highest on a falling one.
    const int t = PASO_DIRECCION[Dir] > 0 ? PrimerBit(ocupadas) : UltimoBit(ocupadas);
    const int c = TableroGlobal.Tablero[t];
    if (L::EsPropia(c)) L::Propio().Defendida[t]++;
    else if (L::EsRival(c)) Anotar(lista, usados, capacidad, t);
    return rayo & ~GEOMETRIA.rayo[Dir][t];
}

// The rays in the order given (the order of the targets in the list); the squares reached.
template <bool Blanco, int... Dirs>
inline Bits Rayos(int s, i32* lista, i32& usados, int capacidad) {
    Bits alcance = 0;
    ((alcance |= Rayo<Blanco, Dirs>(s, lista, usados, capacidad)), ...);
    return alcance;
}

// Mobility: the empty squares among those reached.
inline int Movilidad(Bits alcance) { return ContarBits(alcance & ~Conjuntos.ocupadas); }
// The squares reached next to the enemy king (most pieces reach none).
inline int EnZona(Bits alcance, int rey) {
    const Bits zona = alcance & GEOMETRIA.pasosRey[rey];
    return zona ? ContarBits(zona) : 0;
}

template <bool Blanco>
void Peones() {
    using L = Lado<Blanco>;
    DatosEval& p = L::Propio();
    const Bits peones = Conjuntos.piezas[L::PEON];
    for (Bits b = peones; b; b &= b - 1) {
        const int s = PrimerBit(b), columna = Columna(s);
        const int n = p.PeonesColumna[columna];
        if (n < 4) {  // a fifth pawn on one file is not listed
            p.CasillaPeon[n][columna] = s;
            p.PeonesColumna[columna] = n + 1;
        }
    }
    // Own men defended by a pawn, once for each pawn (listed or not) that covers them.
    const Bits propias = Conjuntos.bando[L::COLOR];
    const Bits izquierda = Blanco ? (peones & ~COLUMNA_A) >> 9 : (peones & ~COLUMNA_H) << 9;
    const Bits derecha = Blanco ? (peones & ~COLUMNA_H) >> 7 : (peones & ~COLUMNA_A) << 7;
    for (Bits d = izquierda & propias; d; d &= d - 1) p.Defendida[PrimerBit(d)]++;
    for (Bits d = derecha & propias; d; d &= d - 1) p.Defendida[PrimerBit(d)]++;
}

template <bool Blanco>
void Caballo(int s) {
    using L = Lado<Blanco>;
    DatosEval &p = L::Propio(), &r = L::Rival();
    const ConjuntosEval& c = Conjuntos;
    const int rey = L::ReyRival();
    const Bits saltos = GEOMETRIA.saltosCaballo[s];
    const int m = Movilidad(saltos), z = EnZona(saltos, rey);
    for (Bits d = saltos & c.bando[L::COLOR]; d; d &= d - 1) p.Defendida[PrimerBit(d)]++;
    // Enemy men hit, pawns and king included, listed in jump order; the hit count leaves pawns out.
    const Bits rivales = saltos & c.bando[L::COLOR_RIVAL];
    for (Bits a = rivales; a; a &= a - 1) Anotar(p.AtaquesCaballo, p.NumAtaquesCaballo, 64, PrimerBit(a));
    const int h = ContarBits(rivales & ~c.piezas[L::PEON_RIVAL]);

    int i = L::Rel(s);
    int op = PST_N_OP[i] + 4 * m - 16;
    int eg = PST_N_EG[i] + 4 * m - 16;
    if (z > 0) {
        p.AtaquesZonaRey += z;
        p.PesoAtacantes += 1;
    }
    int cercania = (3 * distance(s, rey) - 21) * 25 / 100;
    op += cercania;
    eg += cercania;

    bool atacado = L::AtacadaPorPeon(s);
    bool apoyado = L::ApoyadaPorPeon(s);
    if (atacado) {
        op -= 40;
        eg -= 40;
    } else if (apoyado) {
        op += 2;
        eg += 2;
    }
    if (h >= 2 && !atacado) {
        op += 5;
        eg += 5;
    }

    // Outpost: supported by a pawn, both squares diagonally ahead on the board (not on an edge
    // file or the last rank) and no enemy pawn on either.
    if (PST_OUTPOST[i] == 1 && apoyado) {
        const Bits delante = GEOMETRIA.capturasPeon[Blanco][s];
        const bool ambas = (delante & (delante - 1)) != 0;  // two squares, not one or none
        if (ambas && !(delante & c.piezas[L::PEON_RIVAL])) {
            // Stronger when no enemy bishop met so far can challenge it, or when some target
            // lies on a file without pawns (of those met so far).
            const Bits peonesAntes = (c.piezas[PEON_B] | c.piezas[PEON_N]) & Antes(s);
            bool abierta = (ColumnasDe(saltos) & ~ColumnasDe(peonesAntes)) != 0;
            bool fuerte = L::PiezasRival().NumAlfiles == 0 || abierta;
            if (!fuerte) {
                fuerte = true;
                const i32* color = TableroGlobal.ColorCasilla;
                for (int a : r.CasillaAlfil)
                    if (a != -1 && a < s && color[a] == color[s]) {
                        fuerte = false;
                        break;
                    }
            }
            op += fuerte ? 28 : 14;
            eg += fuerte ? 8 : 4;
        }
    }

    // A knight in front of its own centre pawn, and knights trapped in the enemy corners.
    if (PST_CENTER[i] == 1 && L::Hay(Blanco ? s + 8 : s - 8, L::PEON)) op -= 20;
    const int rango8 = Blanco ? 8 : 1, rango7 = Blanco ? 7 : 2, rango6 = Blanco ? 6 : 3;
    auto rival = [](char columna, int rango) { return L::Hay(Sq(columna, rango), L::PEON_RIVAL); };
    if (s == Sq('a', rango8)) {
        if (rival('a', rango7)) op -= 50, eg -= 50;
        if (rival('c', rango7)) op -= 50, eg -= 50;
    } else if (s == Sq('h', rango8)) {
        if (rival('h', rango7)) op -= 50, eg -= 50;
        if (rival('f', rango7)) op -= 50, eg -= 50;
    } else if (s == Sq('a', rango7)) {
        if (rival('b', rango7) && rival('a', rango6)) op -= 25, eg -= 25;
    } else if (s == Sq('h', rango7)) {
        if (rival('g', rango7) && rival('h', rango6)) op -= 25, eg -= 25;
    }

    p.PuntosMedio += op;
    p.PuntosFinal += eg;
}

template <bool Blanco>
void Alfil(int s) {
    using L = Lado<Blanco>;
    DatosEval& p = L::Propio();
    int rey = L::ReyRival();
    const Bits alcance = Rayos<Blanco, DIR_M7, DIR_M9, DIR_P7, DIR_P9>(s, p.AtaquesAlfil, p.NumAtaquesAlfil, 112);
    const int m = Movilidad(alcance), z = EnZona(alcance, rey);

    int i = L::Rel(s);
    int op = PST_B_OP[i] + 5 * m - 35;
    int eg = PST_B_EG[i] + 5 * m - 35;
    if (z > 0) {
        p.AtaquesZonaRey += z;
        p.PesoAtacantes += 1;
    }
    int c = distance(s, rey);
    op += (c - 7) * 50 / 100;
    eg += (c - 7) * 25 / 100;
    if (L::AtacadaPorPeon(s)) {
        op -= 40;
        eg -= 40;
    } else if (L::ApoyadaPorPeon(s)) {
        op += 2;
        eg += 2;
    }

    // Bishops shut in behind the enemy pawns on the wing.
    const int r7 = Blanco ? 7 : 2, r6 = Blanco ? 6 : 3, r5 = Blanco ? 5 : 4;
    auto rival = [](char columna, int rango) { return L::Hay(Sq(columna, rango), L::PEON_RIVAL); };
    if (s == Sq('h', r7)) {
        if (rival('f', r7) && rival('g', r6)) op -= 100, eg -= 100;
    } else if (s == Sq('a', r7)) {
        if (rival('c', r7) && rival('b', r6)) op -= 100, eg -= 100;
    } else if (s == Sq('h', r6)) {
        if (rival('f', r6) && rival('g', r5)) op -= 50, eg -= 50;
    } else if (s == Sq('a', r6)) {
        if (rival('c', r6) && rival('b', r5)) op -= 50, eg -= 50;
    }

    p.PuntosMedio += op;
    p.PuntosFinal += eg;
}

template <bool Blanco>
void Dama(int s) {
    using L = Lado<Blanco>;
    DatosEval& p = L::Propio();
    int rey = L::ReyRival();
    const Bits alcance = Rayos<Blanco, DIR_M9, DIR_P9, DIR_M7, DIR_P7, DIR_P1, DIR_M1, DIR_P8, DIR_M8>(
        s, p.AtaquesDama, p.NumAtaquesDama, 224);
    const int m = Movilidad(alcance), z = EnZona(alcance, rey);

    int i = L::Rel(s);
    int op = PST_Q_OP[i] + (m - 14);
    int eg = PST_Q_EG[i] + 2 * (m - 14);
    if (z > 0) {
        p.AtaquesZonaRey += z;
        p.PesoAtacantes += 4;
    }
    int c = distance(s, rey);
    op += (c - 7) * 50 / 100;
    eg += (c - 7);
    if (Fila(s) == L::SEPTIMA && L::ReyRivalAtras()) {
        op += 20;
        eg += 30;
        // Only the rooks met before the queen count.
        for (int t : p.CasillaTorre)
            if (t != -1 && t < s && Fila(t) == L::SEPTIMA) {
                op += 10;
                eg += 5;
            }
    }
    p.PuntosMedio += op;
    p.PuntosFinal += eg;
}

template <bool Blanco>
void Torres() {
    using L = Lado<Blanco>;
    DatosEval &p = L::Propio(), &r = L::Rival();
    int rey = L::ReyRival();
    // Mobility and zone counts run on over all the side's rooks.
    int m = 0, z = 0;
    int n = L::Piezas().NumTorres < 8 ? L::Piezas().NumTorres : 8;
    for (int k = 0; k < n; k++) {
        int s = p.CasillaTorre[k];
        if (s == -1) break;
        const Bits alcance = Rayos<Blanco, DIR_P1, DIR_M1, DIR_M8, DIR_P8>(s, p.AtaquesTorre, p.NumAtaquesTorre, 112);
        m += Movilidad(alcance) - 7;
        z += EnZona(alcance, rey);
        if (z != 0) {
            p.AtaquesZonaRey += z;
            p.PesoAtacantes += 2;
        }
        int i = L::Rel(s);
        int c = distance(s, rey);
        int op = PST_R_OP[i] + 2 * m + (c - 7) * 50 / 100;
        int eg = PST_R_EG[i] + 4 * m + (c - 7) * 25 / 100;
        if (L::AtacadaPorPeon(s)) {
            op -= 60;
            eg -= 60;
        } else if (L::ApoyadaPorPeon(s)) {
            op += 2;
            eg += 4;
        }
        if (Fila(s) == L::SEPTIMA && L::ReyRivalAtras()) {
            op += 20;
            eg += 40;
        }
        int columna = Columna(s);
        if (p.PeonesColumna[columna] == 0) {
            if (r.PeonesColumna[columna] == 0) op += 10, eg += 20;
            else op += 5, eg += 12;
        }
        // A rook shut in on the wing behind an enemy pawn.
        const int r2 = Blanco ? 2 : 7, r3 = Blanco ? 3 : 6;
        auto trampa = [&](char columna, char vecina) {
            if (s != Sq(columna, r2) || !L::Hay(Sq(columna, r3), L::PEON_RIVAL)) return;
            int v = Sq(vecina, r2);
            if (L::Hay(v, L::ALFIL_RIVAL)) op -= 100, eg -= 100;
            else if (L::Hay(v, L::PEON_RIVAL)) op -= 180, eg -= 180;
        };
        trampa('h', 'g');
        trampa('a', 'b');
        p.PuntosMedio += op;
        p.PuntosFinal += eg;
    }
}

void TomarConjuntos() {
    const Bits* casillas = TableroGlobal.Casillas;
    ConjuntosEval& c = Conjuntos;
    c.ocupadas = ~casillas[VACIA];
    Bits blancas = 0, negras = 0;
    for (int codigo = PEON_B; codigo <= REY_B; codigo++) blancas |= c.piezas[codigo] = casillas[codigo];
    for (int codigo = PEON_N; codigo <= REY_N; codigo++) negras |= c.piezas[codigo] = casillas[codigo];
    c.piezas[NINGUNA] = c.piezas[VACIA] = c.piezas[14] = c.piezas[15] = 0;  // codes of no man
    c.bando[COLOR_BLANCO] = blancas;
    c.bando[COLOR_NEGRO] = negras;
    c.ataquesPeon[COLOR_BLANCO] = AtaquesPeones(c.piezas[PEON_B], true);
    c.ataquesPeon[COLOR_NEGRO] = AtaquesPeones(c.piezas[PEON_N], false);
}

template <class F>
inline void Cada(Bits piezas, F f) {
    for (; piezas; piezas &= piezas - 1) f(PrimerBit(piezas));
}

}  // namespace

void EvaluarPiezasTableroJuego() {
    TomarConjuntos();
    PrecargarPeones();
    const ConjuntosEval& c = Conjuntos;
    Peones<true>();
    Peones<false>();
    // The piece lists first: the knights and queens below look at the bishops and rooks that
    // come before them.
    Listar(EvalBlancas.CasillaCaballo, c.piezas[CABALLO_B]);
    Listar(EvalNegras.CasillaCaballo, c.piezas[CABALLO_N]);
    Listar(EvalBlancas.CasillaAlfil, c.piezas[ALFIL_B]);
    Listar(EvalNegras.CasillaAlfil, c.piezas[ALFIL_N]);
    Listar(EvalBlancas.CasillaTorre, c.piezas[TORRE_B]);  // scored by the rook pass
    Listar(EvalNegras.CasillaTorre, c.piezas[TORRE_N]);
    Listar(EvalBlancas.CasillaDama, c.piezas[DAMA_B]);
    Listar(EvalNegras.CasillaDama, c.piezas[DAMA_N]);
    Cada(c.piezas[CABALLO_B], Caballo<true>);
    Cada(c.piezas[CABALLO_N], Caballo<false>);
    Cada(c.piezas[ALFIL_B], Alfil<true>);
    Cada(c.piezas[ALFIL_N], Alfil<false>);
    Cada(c.piezas[DAMA_B], Dama<true>);
    Cada(c.piezas[DAMA_N], Dama<false>);
}

void EvaluarTorresB() { Torres<true>(); }
void EvaluarTorresN() { Torres<false>(); }
