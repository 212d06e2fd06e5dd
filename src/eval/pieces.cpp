// The board scan (knights, bishops, queens; every man listed in its side's record) and the
// rook pass that runs after the pawn terms. While walking the moves it records which own men
// are defended, which enemy men each piece kind hits, and the pressure next to the enemy king.
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

unsigned char MascaraPeones[2][8];

namespace {

// A diagonal step keeps the square colour, a wrapped one does not.
inline bool PasoDiagonal(int desde, int hasta) {
    return unsigned(hasta) < 64 && TableroGlobal.ColorCasilla[hasta] == TableroGlobal.ColorCasilla[desde];
}

inline void Anotar(i32* lista, i32& usados, int capacidad, int casilla) {
    if (usados < capacidad) lista[usados++] = casilla;  // beyond capacity, targets are dropped
}

inline void Listar(i32 (&lista)[8], int casilla) {
    for (int i = 0; i < 8; i++)
        if (lista[i] == -1) {
            lista[i] = casilla;
            return;
        }
}

// Everything that differs between the two colours.
template <bool Blanco>
struct Lado {
    static constexpr int PEON = Blanco ? PEON_B : PEON_N;
    static constexpr int PEON_RIVAL = Blanco ? PEON_N : PEON_B;
    static constexpr int ALFIL_RIVAL = Blanco ? ALFIL_N : ALFIL_B;
    static constexpr int COLOR = Blanco ? COLOR_BLANCO : COLOR_NEGRO;
    static constexpr int COLOR_RIVAL = Blanco ? COLOR_NEGRO : COLOR_BLANCO;
    static constexpr int SEPTIMA = Blanco ? 1 : 6;  // row of the side's seventh rank
    static DatosBando& Propio() { return Blanco ? Blancas : Negras; }
    static DatosBando& Rival() { return Blanco ? Negras : Blancas; }
    static int ReyRival() { return Blanco ? TableroGlobal.PosicionReyNegro : TableroGlobal.PosicionReyBlanco; }
    static bool EsPropia(int c) { return Blanco ? (c >= PEON_B && c <= REY_B) : (c >= PEON_N && c <= REY_N); }
    static bool EsRival(int c) { return Blanco ? (c >= PEON_N && c <= REY_N) : (c >= PEON_B && c <= REY_B); }
    static int Rel(int casilla) { return Blanco ? casilla : Flip(casilla); }  // index into the tables
    // The enemy king on its first or second rank.
    static bool ReyRivalAtras() {
        int fila = Fila(ReyRival());
        return Blanco ? fila <= 1 : fila >= 6;
    }
    static bool Hay(int casilla, int pieza) { return TableroGlobal.Tablero[casilla] == pieza; }
};

// Walks one ray from `casilla`; empty squares count as mobility, every visited square next to
// the enemy king as zone pressure; the stopping square is defended (own) or listed (enemy).
template <bool Blanco>
inline void Rayo(int casilla, int paso, int rey, int& movilidad, int& zona, i32* lista, i32& usados,
                 int capacidad) {
    using L = Lado<Blanco>;
    const i32* tablero = TableroGlobal.Tablero;
    int t = casilla;
    for (int k = LargoRayo(casilla, paso); k > 0; k--) {
        t += paso;
        if (JuntoA(t, rey)) zona++;
        int c = tablero[t];
        if (c == VACIA) {
            movilidad++;
            continue;
        }
        if (L::EsPropia(c)) L::Propio().Defendida[t]++;
        else if (L::EsRival(c)) Anotar(lista, usados, capacidad, t);
        return;
    }
}

template <bool Blanco>
void Peon(int s) {
    using L = Lado<Blanco>;
    DatosBando& p = L::Propio();
    int columna = Columna(s);
    for (int slot = 0; slot < 4; slot++)
        if (p.CasillaPeon[slot][columna] == -1) {
            p.CasillaPeon[slot][columna] = s;
            p.PeonesColumna[columna]++;
            break;
        }
    MascaraPeones[L::COLOR][columna] |= static_cast<unsigned char>(1u << Fila(s));
    // A fifth pawn on one file is not listed, but it still defends.
    for (int t : (Blanco ? ATAQUES_PEON_B : ATAQUES_PEON_N)[s])
        if (t >= 0 && L::EsPropia(TableroGlobal.Tablero[t])) p.Defendida[t]++;
}

template <bool Blanco>
void Caballo(int s) {
    using L = Lado<Blanco>;
    DatosBando &p = L::Propio(), &r = L::Rival();
    const i32* tablero = TableroGlobal.Tablero;
    const i32* color = TableroGlobal.ColorCasilla;
    int rey = L::ReyRival();
    int m = 0, z = 0, h = 0;
    bool abierta = false;  // some target on a file without pawns (of those scanned so far)
    const Saltos& saltos = SALTOS[s];
    for (int k = 0; k < saltos.n; k++) {
        int t = saltos.destino[k];
        if (JuntoA(t, rey)) z++;
        int columna = Columna(t);
        if (Blancas.PeonesColumna[columna] == 0 && Negras.PeonesColumna[columna] == 0) abierta = true;
        int c = tablero[t];
        if (c == VACIA) m++;
        else if (L::EsPropia(c)) p.Defendida[t]++;
        else if (L::EsRival(c)) {
            Anotar(p.AtaquesCaballo, p.NumAtaquesCaballo, 64, t);
            if (c != L::PEON_RIVAL) h++;
        }
    }

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

    bool atacado = AmenazadoPorPeon(s, L::COLOR_RIVAL);
    if (atacado) {
        op -= 40;
        eg -= 40;
    } else if (AmenazadoPorPeon(s, L::COLOR)) {
        op += 2;
        eg += 2;
    }
    if (h >= 2 && !atacado) {
        op += 5;
        eg += 5;
    }

    // Outpost: supported by a pawn, and no enemy pawn on the two squares diagonally ahead.
    if (PST_OUTPOST[i] == 1) {
        const int atras1 = Blanco ? s + 7 : s - 7, atras2 = Blanco ? s + 9 : s - 9;
        const int delante1 = Blanco ? s - 7 : s + 7, delante2 = Blanco ? s - 9 : s + 9;
        bool apoyado = (PasoDiagonal(s, atras1) && L::Hay(atras1, L::PEON)) ||
                       (PasoDiagonal(s, atras2) && L::Hay(atras2, L::PEON));
        if (apoyado && PasoDiagonal(s, delante1) && PasoDiagonal(s, delante2) &&
            !L::Hay(delante1, L::PEON_RIVAL) && !L::Hay(delante2, L::PEON_RIVAL)) {
            // Stronger when no enemy bishop (among those listed so far) can challenge it.
            bool fuerte = r.NumAlfiles == 0 || abierta;
            if (!fuerte) {
                fuerte = true;
                for (int a : r.CasillaAlfil)
                    if (a != -1 && color[a] == color[s]) {
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
    Listar(p.CasillaCaballo, s);
}

template <bool Blanco>
void Alfil(int s) {
    using L = Lado<Blanco>;
    DatosBando& p = L::Propio();
    Listar(p.CasillaAlfil, s);
    int rey = L::ReyRival();
    int m = 0, z = 0;
    for (int paso : RAYOS_ALFIL) Rayo<Blanco>(s, paso, rey, m, z, p.AtaquesAlfil, p.NumAtaquesAlfil, 112);

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
    if (AmenazadoPorPeon(s, L::COLOR_RIVAL)) {
        op -= 40;
        eg -= 40;
    } else if (AmenazadoPorPeon(s, L::COLOR)) {
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
    DatosBando& p = L::Propio();
    int rey = L::ReyRival();
    int m = 0, z = 0;
    for (int paso : RAYOS_DAMA_DIAGONAL) Rayo<Blanco>(s, paso, rey, m, z, p.AtaquesDama, p.NumAtaquesDama, 224);
    for (int paso : RAYOS_DAMA_RECTO) Rayo<Blanco>(s, paso, rey, m, z, p.AtaquesDama, p.NumAtaquesDama, 224);

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
        // Only the rooks scanned before the queen are listed yet.
        for (int t : p.CasillaTorre)
            if (t != -1 && Fila(t) == L::SEPTIMA) {
                op += 10;
                eg += 5;
            }
    }
    p.PuntosMedio += op;
    p.PuntosFinal += eg;
    Listar(p.CasillaDama, s);
}

template <bool Blanco>
void Torres() {
    using L = Lado<Blanco>;
    DatosBando &p = L::Propio(), &r = L::Rival();
    int rey = L::ReyRival();
    // Mobility and zone counts run on over all the side's rooks.
    int m = 0, z = 0;
    int n = p.NumTorres < 8 ? p.NumTorres : 8;
    for (int k = 0; k < n; k++) {
        int s = p.CasillaTorre[k];
        if (s == -1) break;
        for (int paso : RAYOS_TORRE) Rayo<Blanco>(s, paso, rey, m, z, p.AtaquesTorre, p.NumAtaquesTorre, 112);
        m -= 7;
        if (z != 0) {
            p.AtaquesZonaRey += z;
            p.PesoAtacantes += 2;
        }
        int i = L::Rel(s);
        int c = distance(s, rey);
        int op = PST_R_OP[i] + 2 * m + (c - 7) * 50 / 100;
        int eg = PST_R_EG[i] + 4 * m + (c - 7) * 25 / 100;
        if (AmenazadoPorPeon(s, L::COLOR_RIVAL)) {
            op -= 60;
            eg -= 60;
        } else if (AmenazadoPorPeon(s, L::COLOR)) {
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

}  // namespace

int AmenazadoPorPeon(int s, int color) {
    const i32* t = TableroGlobal.Tablero;
    const i32* c = TableroGlobal.ColorCasilla;
    if (color == COLOR_NEGRO)
        return ((s >= 7 && t[s - 7] == PEON_N && c[s - 7] == c[s]) || (s >= 9 && t[s - 9] == PEON_N && c[s - 9] == c[s]))
                   ? 1
                   : 0;
    return ((s <= 56 && t[s + 7] == PEON_B && c[s + 7] == c[s]) || (s <= 54 && t[s + 9] == PEON_B && c[s + 9] == c[s]))
               ? 1
               : 0;
}

namespace {

// Bit s set when square s is not empty.
u64 Ocupadas(const i32* tablero) {
    u64 ocupadas = 0;
#ifdef __SSE2__
    const __m128i vacia = _mm_set1_epi32(VACIA);
    for (int s = 0; s < 64; s += 4) {
        __m128i cuatro = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tablero + s));
        int iguales = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(cuatro, vacia)));
        ocupadas |= u64(~iguales & 15) << s;
    }
#else
    for (int s = 0; s < 64; s++) ocupadas |= u64(tablero[s] != VACIA) << s;
#endif
    return ocupadas;
}

}  // namespace

void EvaluarPiezasTableroJuego() {
    const i32* tablero = TableroGlobal.Tablero;
    // The occupied squares, visited in index order (a8, b8, ..., h1) as the lists require.
    u64 ocupadas = Ocupadas(tablero);
    while (ocupadas) {
        int s = __builtin_ctzll(ocupadas);
        ocupadas &= ocupadas - 1;
        switch (tablero[s]) {
            case PEON_B: Peon<true>(s); break;
            case PEON_N: Peon<false>(s); break;
            case CABALLO_B: Caballo<true>(s); break;
            case CABALLO_N: Caballo<false>(s); break;
            case ALFIL_B: Alfil<true>(s); break;
            case ALFIL_N: Alfil<false>(s); break;
            case TORRE_B: Listar(Blancas.CasillaTorre, s); break;  // scored by the rook pass
            case TORRE_N: Listar(Negras.CasillaTorre, s); break;
            case DAMA_B: Dama<true>(s); break;
            case DAMA_N: Dama<false>(s); break;
            default: break;  // kings
        }
    }
}

void EvaluarTorresB() { Torres<true>(); }
void EvaluarTorresN() { Torres<false>(); }
