// Symmetry oracles over many positions from random games.
//
// Colour flip (ranks mirrored, colours, side to move and castling swapped): every term has a
// Black twin, so the score, phase and passed pawns must agree, except where the evaluation is
// knowingly not symmetric: the first pawn of a file (White's most advanced, Black's least
// advanced), the order in which the scan lists rooks and bishops (rooks on different ranks,
// knight outposts against bishops), the king wing tables (Black reads them at a half turn),
// PushToCorners (two-bishop endings) and the two colour-specific special endings (queen
// against pawn, knight and pawn against bishop).
//
// File mirror (a <-> h, colours kept): every table is left-right symmetric except the wing
// tables, which swap into each other; order effects remain only within a rank (two rooks on
// one rank, a queen on the seventh with rooks, knight outposts) and PushToCorners.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <sstream>
#include <vector>

#include "eval_helpers.h"

namespace {

struct Fen {
    std::string tablero, turno, enroque, alpaso, reloj, jugada;
};

Fen Partir(const std::string& texto) {
    std::istringstream in(texto);
    Fen f;
    in >> f.tablero >> f.turno >> f.enroque >> f.alpaso >> f.reloj >> f.jugada;
    return f;
}

std::string Unir(const Fen& f) {
    return f.tablero + " " + f.turno + " " + f.enroque + " " + f.alpaso + " " + f.reloj + " " + f.jugada;
}

std::vector<std::string> Filas(const std::string& tablero) {
    std::vector<std::string> filas;
    std::istringstream in(tablero);
    for (std::string fila; std::getline(in, fila, '/');) filas.push_back(fila);
    return filas;
}

std::string EspejoColores(const std::string& texto) {
    Fen f = Partir(texto);
    std::vector<std::string> filas = Filas(f.tablero);
    std::string tablero;
    for (int i = 7; i >= 0; i--) {
        for (char c : filas[i]) tablero += std::isalpha(c) ? char(std::isupper(c) ? std::tolower(c) : std::toupper(c)) : c;
        if (i) tablero += '/';
    }
    f.tablero = tablero;
    f.turno = std::string(1, f.turno == "w" ? 'b' : 'w');
    if (f.enroque != "-") {
        std::string e;
        for (char c : std::string("KQkq")) {
            char otro = std::isupper(c) ? char(std::tolower(c)) : char(std::toupper(c));
            if (f.enroque.find(otro) != std::string::npos) e += c;
        }
        f.enroque = e;
    }
    if (f.alpaso != "-") f.alpaso[1] = char('1' + '8' - f.alpaso[1]);
    return Unir(f);
}

std::string EspejoColumnas(const std::string& texto) {
    Fen f = Partir(texto);
    std::vector<std::string> filas = Filas(f.tablero);
    std::string tablero;
    for (int i = 0; i < 8; i++) {
        std::string expandida;
        for (char c : filas[i])
            if (std::isdigit(c)) expandida += std::string(c - '0', '1');
            else expandida += c;
        std::string invertida(expandida.rbegin(), expandida.rend());
        // Recompress the runs of empty squares.
        std::string fila;
        int vacias = 0;
        for (char c : invertida) {
            if (c == '1') {
                vacias++;
                continue;
            }
            if (vacias) fila += char('0' + vacias), vacias = 0;
            fila += c;
        }
        if (vacias) fila += char('0' + vacias);
        tablero += fila;
        if (i < 7) tablero += '/';
    }
    f.tablero = tablero;
    f.enroque = std::string(1, '-');  // castling rights are not evaluated; mirrored ones would be invalid
    if (f.alpaso != "-") f.alpaso[0] = char('a' + 'h' - f.alpaso[0]);
    return Unir(f);
}

// ---- What the evaluation knowingly does not mirror ------------------------------------------

bool Es(const DatosBando& b, int p, int n, int a, int t, int d) {
    return b.NumPeones == p && b.NumCaballos == n && b.NumAlfiles == a && b.NumTorres == t && b.NumDamas == d;
}

// A knight standing where an outpost is possible (support and free diagonals ahead) while the
// enemy has bishops: the bonus then depends on which bishops the scan has listed so far.
bool OutpostFrenteAAlfiles() {
    const i32* t = TableroGlobal.Tablero;
    for (int s = 0; s < 64; s++) {
        int c = t[s];
        if (c != CABALLO_B && c != CABALLO_N) continue;
        bool blanco = c == CABALLO_B;
        if ((blanco ? Negras : Blancas).NumAlfiles == 0) continue;
        int fila = s / 8, columna = s % 8;
        if (columna == 0 || columna == 7) continue;
        if (blanco ? fila > 4 || fila == 0 : fila < 3 || fila == 7) continue;
        int atras = blanco ? fila + 1 : fila - 1;
        int peon = blanco ? PEON_B : PEON_N;
        if (t[atras * 8 + columna - 1] == peon || t[atras * 8 + columna + 1] == peon) return true;
    }
    return false;
}

bool DosTorresEn(bool mismaFila) {
    for (const DatosBando* b : {&Blancas, &Negras}) {
        int filas[8], n = 0;
        int codigo = b == &Blancas ? TORRE_B : TORRE_N;
        for (int s = 0; s < 64; s++)
            if (TableroGlobal.Tablero[s] == codigo && n < 8) filas[n++] = s / 8;
        for (int i = 0; i < n; i++)
            for (int j = i + 1; j < n; j++)
                if ((filas[i] == filas[j]) == mismaFila) return true;
    }
    return false;
}

bool FinalesAsimetricos(bool colores) {
    if (TableroGlobal.FaseJuego <= 15) return false;
    for (int lado = 0; lado < 2; lado++) {
        const DatosBando &s = lado ? Negras : Blancas, &w = lado ? Blancas : Negras;
        if (Es(s, 0, 0, 2, 0, 0) && (Es(w, 0, 0, 2, 0, 0) || Es(w, 0, 0, 1, 0, 0) || Es(w, 0, 1, 0, 0, 0))) return true;
        if (colores && Es(s, 0, 0, 0, 0, 1) && Es(w, 1, 0, 0, 0, 0)) return true;
        if (colores && Es(s, 1, 1, 0, 0, 0) && Es(w, 0, 0, 1, 0, 0)) return true;
    }
    return false;
}

// Evaluates (no cache) and tells whether the position avoids the known asymmetries.
bool SimetricoEnColores() {
    ResultadoEval r;
    EvaluarSinCache(&r);
    for (const DatosBando* b : {&Blancas, &Negras}) {
        bool dama = false, rey = false;
        for (int c = 0; c < 8; c++) {
            if (b->PeonesColumna[c] > 1) return false;  // doubled pawns
            (c < 4 ? dama : rey) |= b->PeonesColumna[c] > 0;
        }
        if (dama != rey) return false;  // pawns on one wing only: the wing tables
    }
    return !DosTorresEn(false) && !OutpostFrenteAAlfiles() && !FinalesAsimetricos(true);
}

bool SimetricoEnColumnas() {
    ResultadoEval r;
    EvaluarSinCache(&r);
    if (DosTorresEn(true) || OutpostFrenteAAlfiles() || FinalesAsimetricos(false)) return false;
    // A queen on the seventh with the enemy king behind it counts the rooks to its left.
    for (int s = 0; s < 64; s++) {
        int c = TableroGlobal.Tablero[s];
        if (c == DAMA_B && s / 8 == 1 && TableroGlobal.PosicionReyNegro / 8 <= 1 && Blancas.NumTorres) return false;
        if (c == DAMA_N && s / 8 == 6 && TableroGlobal.PosicionReyBlanco / 8 >= 6 && Negras.NumTorres) return false;
    }
    return true;
}

struct Resultado {
    int puntos, fase;
    i8 blancas[8], negras[8];
};

Resultado Evaluado(const std::string& fen) {
    PonerFen(fen);
    ResultadoEval r;
    Resultado x;
    x.puntos = EvaluarSinCache(&r);
    x.fase = TableroGlobal.FaseJuego;
    for (int f = 0; f < 8; f++) {
        x.blancas[f] = Blancas.PeonPasado[f];
        x.negras[f] = Negras.PeonPasado[f];
    }
    return x;
}

// Positions from random games started at a few varied positions.
std::vector<std::string> Posiciones() {
    static const char* inicios[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 w - - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "4k3/pp3p1p/8/8/8/8/PP3P1P/4K3 w - - 0 1",
        "r3k3/1p3p2/8/8/8/8/1P3P2/R3K3 w - - 0 1",
        "4k3/8/8/3n4/8/2B5/8/4K2R w - - 0 1",
        "2b1k3/8/8/8/8/8/8/1NB1K3 w - - 0 1",
        "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1",
        "4k3/2p5/8/8/8/8/8/R3K3 w - - 0 1",
        "3qk3/8/8/8/8/8/8/3RK3 w - - 0 1",
        "4k3/8/8/8/8/8/1P6/2N1K3 w - - 0 1",
        "4k3/8/8/8/8/8/6P1/2B1K3 w - - 0 1",
        "4k3/8/8/8/8/8/8/2RRK3 w - - 0 1",
        "r1bqk2r/pppp2Pp/2n2n2/2b5/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1",
    };
    std::mt19937 azar(20240607);
    std::vector<std::string> r;
    for (const char* inicio : inicios) {
        for (int partida = 0; partida < 12; partida++) {
            PonerFen(inicio);
            for (int ply = 0; ply < 60; ply++) {
                std::vector<std::string> jugadas = JugadasLegales();
                if (jugadas.empty()) break;
                Jugar(jugadas[azar() % jugadas.size()]);
                TableroGlobal.Ply = 0;  // as the position command does: the undo stack holds 64 plies
                EXPECT_TRUE(TableroValido());
                char fen[128];
                EscribirFen(fen);
                r.push_back(fen);
            }
        }
    }
    // Half-move clocks near the fifty-move limit, on a sample.
    for (size_t i = 0; i < r.size(); i += 7) {
        Fen f = Partir(r[i]);
        f.reloj = std::to_string(80 + int(i % 21));
        r[i] = Unir(f);
    }
    return r;
}

TEST(EvalSymmetry, ColourFlipGivesTheSameEvaluation) {
    int probadas = 0;
    for (const std::string& fen : Posiciones()) {
        PonerFen(fen);
        if (!SimetricoEnColores()) continue;
        std::string espejo = EspejoColores(fen);
        Resultado a = Evaluado(fen), b = Evaluado(espejo);
        probadas++;
        ASSERT_EQ(a.puntos, b.puntos) << fen << "  vs  " << espejo;
        ASSERT_EQ(a.fase, b.fase) << fen;
        for (int c = 0; c < 8; c++) {
            ASSERT_EQ(a.blancas[c], b.negras[c] < 0 ? -1 : b.negras[c] ^ 56) << fen << " file " << c;
            ASSERT_EQ(a.negras[c], b.blancas[c] < 0 ? -1 : b.blancas[c] ^ 56) << fen << " file " << c;
        }
    }
    EXPECT_GT(probadas, 2000);
}

TEST(EvalSymmetry, FileMirrorGivesTheSameEvaluation) {
    int probadas = 0;
    for (const std::string& fen : Posiciones()) {
        PonerFen(fen);
        if (!SimetricoEnColumnas()) continue;
        std::string espejo = EspejoColumnas(fen);
        Resultado a = Evaluado(fen), b = Evaluado(espejo);
        probadas++;
        ASSERT_EQ(a.puntos, b.puntos) << fen << "  vs  " << espejo;
        ASSERT_EQ(a.fase, b.fase) << fen;
        for (int c = 0; c < 8; c++) {
            ASSERT_EQ(a.blancas[c], b.blancas[7 - c] < 0 ? -1 : b.blancas[7 - c] ^ 7) << fen << " file " << c;
            ASSERT_EQ(a.negras[c], b.negras[7 - c] < 0 ? -1 : b.negras[7 - c] ^ 7) << fen << " file " << c;
        }
    }
    EXPECT_GT(probadas, 2000);
}

TEST(EvalSymmetry, MirrorHelpersAreInvolutions) {
    const std::string fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w Kq e3 0 1";
    EXPECT_EQ(EspejoColores(fen), "r3k2r/pppbbppp/2n2q1P/1P2p3/3pn3/BN2PNP1/P1PPQPB1/R3K2R b Qk e6 0 1");
    EXPECT_EQ(EspejoColores(EspejoColores(fen)), fen);
    EXPECT_EQ(EspejoColumnas("8/8/8/8/8/8/1P6/4K2R w K - 0 1"), "8/8/8/8/8/8/6P1/R2K4 w - - 0 1");
}

}  // namespace
