// The fast board code against plain references written from the rules with file and rank
// arithmetic: the attack test on every square, and the legality, gives-check, evasion and key
// shortcuts, on positions from random play (with castling, en passant and promotions at hand)
// and on boards no game reaches.
#include <gtest/gtest.h>

#include <vector>

#include "support/board_helpers.h"

namespace {

int Tab(int s) { return TableroGlobal.Tablero[s]; }
// The square `df` files right and `dr` ranks up from s, or -1 off the board.
int Paso(int s, int df, int dr) {
    const int f = s % 8 + df, fila = s / 8 - dr;
    return f >= 0 && f < 8 && fila >= 0 && fila < 8 ? fila * 8 + f : -1;
}
// King steps: the rook's four first, then the bishop's.
constexpr int REY[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr int CABALLO[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};

// Whether a man of the given colour attacks s.
bool AtacadaReferencia(int s, bool porBlancas) {
    const int b = porBlancas ? 0 : 7;
    auto es = [&](int d, int pieza) { return d >= 0 && Tab(d) == pieza + b; };
    const int atras = porBlancas ? -1 : 1;  // a pawn attacks from one rank behind
    if (es(Paso(s, -1, atras), PEON_B) || es(Paso(s, 1, atras), PEON_B)) return true;
    for (auto [f, r] : CABALLO)
        if (es(Paso(s, f, r), CABALLO_B)) return true;
    for (int i = 0; i < 8; i++) {
        if (es(Paso(s, REY[i][0], REY[i][1]), REY_B)) return true;
        int d = -1;
        for (int k = 1; (d = Paso(s, k * REY[i][0], k * REY[i][1])) >= 0 && Tab(d) == VACIA; k++) {}
        if (es(d, DAMA_B) || es(d, i < 4 ? TORRE_B : ALFIL_B)) return true;
    }
    return false;
}

bool EnJaqueReferencia() {
    const TipoTablero& T = TableroGlobal;
    return T.Turno == 1 ? AtacadaReferencia(T.PosicionReyBlanco, false) : AtacadaReferencia(T.PosicionReyNegro, true);
}

std::vector<Jugada> Generar(int modo) {
    ListaJugadas lista;
    const int n = GenerarMovimientos(modo, lista);
    std::vector<Jugada> r;
    for (int i = 0; i < n; i++) r.push_back(lista[i].Jugada);
    return r;
}

// Positions from play; with `imposibles`, also boards no game reaches (pawns on the last
// ranks, an en passant square without its pawn, several kings), which make move is not for.
std::vector<std::string> Posiciones(bool imposibles) {
    std::vector<std::string> r = {
        FEN_INICIAL,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1",
        "4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1",
    };
    const auto jugadas = PosicionesAlAzar(r, 400, 60, 2024);
    if (imposibles)
        r.insert(r.end(), {"P6p/8/8/3pP3/8/8/8/p3K2k w - d6 0 1", "k7/8/8/8/4P3/8/8/7K b - e3 0 1",
                           "QqQqQqQq/qQqQqQqQ/8/8/8/8/NnBbRrKk/kKnNbBrR w - - 0 1"});
    r.insert(r.end(), jugadas.begin(), jugadas.end());
    return r;
}

}  // namespace

// A wrong attack answer on any square. The move lists are left to perft (published counts and a
// reference engine's divides) and, for the captures-only mode, to the pinned bench total.
TEST(Referencia, Attacks) {
    for (const auto& fen : Posiciones(true)) {
        PonerFen(fen);
        Generar(GENERAR_TODAS), Generar(GENERAR_CAPTURAS);  // boards no game reaches: run clean (sanitizer build)
        for (int s = 0; s < 64; s++) {
            ASSERT_EQ(JaqueNegras(s) != 0, AtacadaReferencia(s, true)) << fen << " square " << s;
            ASSERT_EQ(JaqueBlancas(s) != 0, AtacadaReferencia(s, false)) << fen << " square " << s;
        }
    }
    Salir = 0;
}

// A list that overflows (this board has far more than 255 moves) must stop at its end,
// writing nothing past it, and flag it.
TEST(Referencia, OverflowStopsAtTheListEnd) {
    PonerFen("BQQQQ1QQ/Q2Q1Q1Q/Q6Q/Q6Q/Q1Q4Q/Q6Q/1Q5Q/KQQQQQQk w - - 0 1");
    struct {
        ListaJugadas lista;
        u32 centinela = 0xDEADBEEF;
    } guardado;
    Salir = 0;
    EXPECT_EQ(GenerarMovimientos(GENERAR_TODAS, guardado.lista), MAX_JUGADAS);
    EXPECT_EQ(Salir, 1);
    EXPECT_EQ(guardado.centinela, 0xDEADBEEFu);
    Salir = 0;
}

// Every shortcut against the full test, for every generated move: make move's legality test,
// the legality test before making, the gives-check tests before and after the move, the
// sorting out of check evasions (with the undo entry it must leave alone), the key foreseen.
TEST(Referencia, LegalityAndCheckShortcuts) {
    int atajos = 0, evasiones = 0, sinJaque = 0;
    for (const auto& fen : Posiciones(false)) {
        PonerFen(fen);
        TableroGlobal.Ply = 1;  // below the root: the undo entry at ply 0 is the previous move's
        const bool enJaque = EnJaqueReferencia();
        TableroGlobal.Turno ^= 1;  // the side not to move in check: not reached by play
        const bool rivalEnJaque = EnJaqueReferencia();
        TableroGlobal.Turno ^= 1;
        const InfoJaque info = AnalizarJaque();
        EXPECT_EQ(info.atacantes > 0, enJaque) << fen;
        for (Jugada j : Generar(GENERAR_TODAS)) {
            const Instantanea antes = Tomar();
            const u64 prevista = ClavePrevista(j);
            const int legal = HacerMovimiento(j);
            const TipoTablero& T = TableroGlobal;
            // Exact unless castling rights change.
            if (T.EnroqueBlancas == antes.tablero.EnroqueBlancas && T.EnroqueNegras == antes.tablero.EnroqueNegras) {
                EXPECT_EQ(prevista, T.Hash) << fen << " " << j;
            }
            const bool daJaque = EnJaqueReferencia();
            const EntradaHistorial e = T.Historial[1];
            DeshacerMovimiento();
            if (!rivalEnJaque && !PuedeDarJaque(j)) {
                EXPECT_FALSE(legal && daJaque) << fen << " " << j;
                sinJaque++;
            }
            if (!enJaque) {
                const int pieza = Tab(Origen(j));
                if (pieza != REY_B && pieza != REY_N && !AlPaso(j) && !Enroque(j)) {
                    EXPECT_EQ(LegalSinHacer(j), legal) << fen << " " << j;
                }
                EXPECT_EQ(HacerMovimientoSinJaque(j), legal) << fen << " " << j;
                if (legal && !rivalEnJaque) {
                    EXPECT_EQ(DaJaque(j), daJaque) << fen << " " << j;
                    atajos++;
                }
                DeshacerMovimiento();
            } else if (!PuedeEvitarJaque(info, j)) {
                EXPECT_EQ(legal, 0) << fen << " " << j;
                DescartarMovimiento(j);
                const EntradaHistorial& h = T.Historial[1];
                EXPECT_TRUE(h.Hash == e.Hash && h.Jugada == e.Jugada && h.PosicionReyBlanco == e.PosicionReyBlanco &&
                            h.PosicionReyNegro == e.PosicionReyNegro && h.EnroqueBlancas == e.EnroqueBlancas &&
                            h.EnroqueNegras == e.EnroqueNegras && h.FichaAlPaso == e.FichaAlPaso &&
                            h.Regla50 == e.Regla50)
                    << fen << " " << j;
                evasiones++;
            }
            ASSERT_TRUE(Tomar() == antes) << fen << " " << j;
        }
    }
    EXPECT_GT(atajos, 5000);  // the positions do exercise every shortcut
    EXPECT_GT(evasiones, 100);
    EXPECT_GT(sinJaque, 5000);
    TableroGlobal.Ply = 0;
}
