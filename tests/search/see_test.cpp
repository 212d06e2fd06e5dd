// Static exchange evaluation on worked exchanges: the capture order, pins, a promotion inside the
// exchange, x-rays; the board and the exchange stack left as found.
#include <gtest/gtest.h>

#include "search/see.h"
#include "support/board_helpers.h"

// Each case plays the move and runs the exchange for the side now to move.
TEST(See, WorkedValues) {
    struct Caso {
        const char *fen, *jugada;
        int valor;
    };
    const Caso casos[] = {
        {"4k3/8/4p3/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", 100},    // queen took a pawn defended by a pawn
        {"4k3/8/4p3/3b4/8/2N5/8/3RK3 w - - 0 1", "c3d5", 0},    // ... a bishop, a rook backs the knight
        {"4k3/8/5n2/8/8/4P3/8/4K3 w - - 0 1", "e3e4", -100},    // quiet move to a square a knight hits
        {"4k3/8/4p3/3n4/8/1B6/8/3RK3 w - - 0 1", "d1d5", -175}, // R takes N, pawn retakes, B takes pawn
        {"4k3/4n3/8/3p4/8/8/8/3QR1K1 w - - 0 1", "d1d5", 100},  // the knight is pinned to its king
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
