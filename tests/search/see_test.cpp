// Static exchange evaluation: the worked values, and the capture search at every step of whole
// exchanges against a reference written from the rules (capture order, pins, promotion inside
// the exchange, x-rays, the board after each capture).
#include <gtest/gtest.h>

#include "search/see.h"
#include "support/board_helpers.h"

// Plays the move, runs the exchange for the side now to move, and checks that the board and the
// exchange stack are left exactly as found.
TEST(See, WorkedValues) {
    struct Caso {
        const char *fen, *jugada;
        int valor;
    };
    const Caso casos[] = {
        {"4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1", "e4d5", 325},     // pawn took an undefended knight
        {"4k3/8/4p3/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", 100},    // queen took a pawn defended by a pawn
        {"4k3/8/4p3/3b4/8/2N5/8/3RK3 w - - 0 1", "c3d5", 0},    // ... a bishop, a rook backs the knight
        {"4k3/8/5n2/8/8/4P3/8/4K3 w - - 0 1", "e3e4", -100},    // quiet move to a square a knight hits
        {"4k3/8/5n2/8/8/3PP3/8/4K3 w - - 0 1", "e3e4", 0},      // the same, defended by a pawn
        {"4k3/8/8/8/8/4P3/8/4K3 w - - 0 1", "e3e4", 0},         // nothing attacks the square
        {"4k3/8/4p3/3n4/8/1B6/8/3RK3 w - - 0 1", "d1d5", -175}, // R takes N, pawn retakes, B takes pawn
        {"4k3/8/4p3/3n4/8/8/8/3RK3 w - - 0 1", "d1d5", 325},    // nothing answers the pawn
        {"r7/1P1k4/8/8/8/8/8/4K3 b - - 0 1", "a8c8", 0},        // bxc8=Q, Kxc8: [-500, +500]
        {"4k3/8/1n2p3/8/8/8/3R4/3RK3 b - - 0 1", "b6d5", 0},    // Rxd5 exd5 Rxd5 (x-ray): nB = 1
        {"4k3/8/8/8/8/8/8/3RK3 w - - 0 1", "d1d7", -500},       // the king takes the rook
        {"4k3/8/8/8/8/8/3R4/3RK3 w - - 0 1", "d2d7", 0},        // Rd1 covers d7: the king may not
    };
    for (const Caso& c : casos) {
        PonerFen(c.fen);
        const Jugada j = JugadaTexto(c.jugada);
        ASSERT_EQ(HacerMovimiento(j), 1) << c.fen;
        const Instantanea antes = Tomar();
        EXPECT_EQ(See(&j, TableroGlobal.Turno), c.valor) << c.fen << " " << c.jugada;
        EXPECT_TRUE(Tomar() == antes) << c.fen;
        EXPECT_EQ(SeeMove.NumeroJugadasSee, 0);
        DeshacerMovimiento();
    }
}

namespace {

// The capture search written straight from the rules: pawns, knights, bishops, rooks, queens,
// king, each line walked square by square with the square-colour tests, every candidate made
// and, when it leaves its own king attacked, taken back before the next one.
Jugada AtaqueMenorReferencia(int s, int lado) {
    const TipoTablero& T = TableroGlobal;
    const int base = lado == 1 ? 0 : 7;
    const int victima = T.Tablero[s];
    if (lado == 1 ? victima <= VACIA : victima >= VACIA) return 0;
    auto valido = [&](int desde, int hasta, bool mismoColor) {
        return hasta >= 0 && hasta < 64 && (T.ColorCasilla[desde] == T.ColorCasilla[hasta]) == mismoColor;
    };
    auto probar = [&](int o, int coronacion) -> Jugada {
        Jugada j = CrearJugada(o, s, T.Tablero[o], T.Tablero[s], coronacion);
        if (SeeHacerMovimiento(&j)) return j;
        SeeDeshacerMovimiento();
        return 0;
    };
    const bool corona = lado == 1 ? s < 8 : s >= 56;
    for (int d : {7, 9}) {
        const int o = lado == 1 ? s + d : s - d;
        if (valido(s, o, true) && T.Tablero[o] == PEON_B + base)
            if (Jugada j = probar(o, corona ? DAMA_B + base : SIN_PIEZA)) return j;
    }
    for (int d : {-17, -15, -10, -6, 6, 10, 15, 17})
        if (valido(s, s + d, false) && T.Tablero[s + d] == CABALLO_B + base)
            if (Jugada j = probar(s + d, SIN_PIEZA)) return j;
    auto deslizar = [&](int pieza, std::initializer_list<int> direcciones) -> Jugada {
        for (int d : direcciones) {
            const bool diagonal = d == 9 || d == -9 || d == 7 || d == -7;
            for (int desde = s, t = s + d; valido(desde, t, diagonal); desde = t, t += d) {
                if (T.Tablero[t] == VACIA) continue;
                if (T.Tablero[t] == pieza)
                    if (Jugada j = probar(t, SIN_PIEZA)) return j;
                break;
            }
        }
        return 0;
    };
    if (Jugada j = deslizar(ALFIL_B + base, {9, -9, -7, 7})) return j;
    if (Jugada j = deslizar(TORRE_B + base, {1, -1, -8, 8})) return j;
    if (Jugada j = deslizar(DAMA_B + base, {-9, 9, -7, 7, 1, -1, 8, -8})) return j;
    for (int d : {-9, 9, -7, 7, 1, -1, 8, -8}) {
        const bool diagonal = d == 9 || d == -9 || d == 7 || d == -7;
        if (valido(s, s + d, diagonal) && T.Tablero[s + d] == REY_B + base)
            if (Jugada j = probar(s + d, SIN_PIEZA)) return j;
    }
    return 0;
}

}  // namespace

// Whole exchanges on every occupied square of positions from random play: the capture found at
// each step, and the board after it, agree with the reference.
TEST(See, CaptureSearchAgreesWithTheRules) {
    const auto fens = PosicionesAlAzar({FEN_INICIAL, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                                        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
                                        "r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1"},
                                       200, 50, 77);
    int capturas = 0;
    for (const auto& fen : fens) {
        PonerFen(fen);
        const Instantanea antes = Tomar();
        for (int s = 0; s < 64; s++) {
            if (TableroGlobal.Tablero[s] == VACIA) continue;
            // Alternate sides as the exchange does, up to 20 captures each.
            SeeMove.NumeroJugadasSee = 0;
            int lado = TableroGlobal.Tablero[s] < VACIA ? 0 : 1;
            for (int k = 0; k < 40; k++, lado = 1 - lado) {
                const Instantanea paso = Tomar();
                const Jugada r = AtaqueMenorReferencia(s, lado);
                const Instantanea trasReferencia = Tomar();
                if (r) SeeDeshacerMovimiento();
                ASSERT_TRUE(Tomar() == paso);
                const Jugada j = Obtener_Ataques_Menores(s, lado);
                ASSERT_EQ(j, r) << s << " step " << k;
                ASSERT_TRUE(Tomar() == trasReferencia);
                if (!j) break;
                capturas++;
            }
            while (SeeMove.NumeroJugadasSee > 0) SeeDeshacerMovimiento();
            ASSERT_TRUE(Tomar() == antes);
        }
    }
    EXPECT_GT(capturas, 2000);
}
