// Transposition table: the clearing every 128th search (the probe and store rules and the mate
// score conversion show in the pinned bench total and the mate searches).
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
