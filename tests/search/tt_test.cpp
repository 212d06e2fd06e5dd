// Transposition table: mate scores stored relative to the node, the probe and store rules, the
// null-move veto, and the clearing every 128th search.
#include <gtest/gtest.h>

#include "search/search.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "uci/uci.h"

namespace {

class Transposicion : public ::testing::Test {
protected:
    void SetUp() override { UciNewGame(); }
    void TearDown() override {
        TableroGlobal.Ply = 0;
        UciNewGame();
    }
    int p = 0;
    Jugada j = 77;
};

const Jugada E2E4 = CrearJugada(52, 36, PEON_B, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);

}  // namespace

// A mate ten plies from the root, stored at ply 5, is a mate five plies below that node, read
// back at ply 3 as a mate eight plies away; ordinary scores are untouched.
TEST_F(Transposicion, MateScoresAreStoredRelativeToTheNode) {
    const int casos[][4] = {  // score, ply stored, ply read, score read
        {VALOR_MATE - 10, 5, 3, VALOR_MATE - 8}, {10 - VALOR_MATE, 4, 2, 8 - VALOR_MATE}, {30000, 9, 2, 30000}};
    for (const auto& c : casos) {
        TableroGlobal.Ply = c[1];
        AlmacenarPosicion(7, c[0], Exacta, 0);
        TableroGlobal.Ply = c[2];
        EXPECT_EQ(RecuperarPosicion(-100, 100, 7, p, j), 1);
        EXPECT_EQ(p, c[3]) << c[0];
    }
}

// Nothing stored: no cut, no score, no move. Too shallow: no cut, but score and move. Lower
// bounds cut at or above beta, upper bounds at or below alpha, exact scores always; a store
// without a move keeps the known one, over another key it writes none.
TEST_F(Transposicion, ProbeRules) {
    EXPECT_EQ(RecuperarPosicion(0, 1, 1, p, j), 0);
    EXPECT_EQ(p, -VALOR_INFINITO);
    EXPECT_EQ(j, 0u);
    AlmacenarPosicion(5, 40, CotaInferior, E2E4);
    EXPECT_EQ(RecuperarPosicion(0, 30, 6, p, j), 0);
    EXPECT_TRUE(p == 40 && j == E2E4);
    EXPECT_EQ(RecuperarPosicion(0, 40, 5, p, j), 1);
    EXPECT_EQ(RecuperarPosicion(0, 41, 5, p, j), 0);
    AlmacenarPosicion(5, -20, CotaSuperior, 0);
    EXPECT_EQ(RecuperarPosicion(-20, 50, 4, p, j), 1);
    EXPECT_EQ(RecuperarPosicion(-21, 50, 4, p, j), 0);
    AlmacenarPosicion(3, 15, Exacta, 0);
    EXPECT_EQ(RecuperarPosicion(100, 200, 3, p, j), 1);
    EXPECT_EQ(p, 15);
    EXPECT_EQ(RecuperarMovimientoHash(), E2E4);
    Jugar("e2e4");
    AlmacenarPosicion(2, 0, CotaSuperior, 0);
    EXPECT_EQ(RecuperarMovimientoHash(), 0u);
}

// The null move is vetoed by a stored upper bound or exact score at or below alpha, deep
// enough; the raw stored score is compared, without mate conversion.
TEST_F(Transposicion, NullMoveVeto) {
    AlmacenarPosicion(4, 10, CotaSuperior, 0);
    EXPECT_TRUE(CancelarNull(10, 4));
    EXPECT_FALSE(CancelarNull(9, 4));
    EXPECT_FALSE(CancelarNull(10, 5));
    AlmacenarPosicion(4, 10, CotaInferior, 0);
    EXPECT_FALSE(CancelarNull(10, 4));
    TableroGlobal.Ply = 2;
    AlmacenarPosicion(4, 2 - VALOR_MATE, Exacta, 0);  // stored as -31000
    TableroGlobal.Ply = 0;
    EXPECT_TRUE(CancelarNull(-31000, 1));
    EXPECT_FALSE(CancelarNull(-31001, 1));
}

// Entries age out: still there after 127 searches, gone after the 128th, cache included.
TEST_F(Transposicion, TableIsEmptyAfter128Searches) {
    AlmacenarPosicion(9, 77, Exacta, E2E4);
    for (int i = 0; i < 127; i++) A_Inicio();
    EXPECT_EQ(RecuperarMovimientoHash(), E2E4);
    A_Inicio();
    EXPECT_EQ(RecuperarPosicion(-100, 100, 0, p, j), 0);
    EXPECT_EQ(j, 0u);
    for (i64 i = 0; i <= TT_Opciones.EntradasCache; i += 4099) EXPECT_EQ(TT_Cache[i].Clave, 0u);
}
