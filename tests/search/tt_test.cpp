// Transposition table: sizing, mate-score conversion, probe and store rules, the null-move
// veto, the clearing every 128th search, and the index taken without a division.
#include <gtest/gtest.h>

#include "search/search.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "uci/uci.h"

namespace {

class Transposicion : public ::testing::Test {
protected:
    void SetUp() override {
        UciNewGame();
        TableroGlobal.Ply = 0;
    }
    void TearDown() override {
        TableroGlobal.Ply = 0;
        UciNewGame();
    }
};

EntradaTT& EntradaActual() { return TT_Datos[i64(TableroGlobal.Hash) % i64(TT_Opciones.EntradasTT)]; }

const Jugada E2E4 = CrearJugada(52, 36, PEON_B, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);

}  // namespace

TEST(TransposicionTamano, SizingFromTheHashOption) {
    const int casos[][5] = {  // Hash, table and cache megabytes, table and cache entries (-1: untouched)
        {128, 112, 16, 7340032, 524288}, {32, 28, 4, 1835008, 131072},     {31, 31, 0, 31 * 65536, -1},
        {0, 1, 0, 65536, -1},            {2000, 896, 128, 58720256, 4194304}, {100, 87, 13, 87 * 65536, 13 * 32768}};
    for (const auto& c : casos) {
        RegistroTT r{};
        r.EntradasCache = -1;
        DimensionarTransposicion(c[0], r);
        EXPECT_EQ((std::vector<i64>{r.MegasTT, r.MegasCache, r.EntradasTT, r.EntradasCache}),
                  (std::vector<i64>{c[1], c[2], c[3], c[4]}))
            << "Hash " << c[0];
    }
}

TEST_F(Transposicion, MateScoresAreStoredRelativeToTheNode) {
    // A mate ten plies from the root, stored at ply 5, is a mate five plies below that node.
    int p = 0;
    Jugada j = 1;
    const int casos[][5] = {  // score, ply stored, score in the table, ply read, score read
        {VALOR_MATE - 10, 5, VALOR_MATE - 5, 3, VALOR_MATE - 8},
        {10 - VALOR_MATE, 4, 6 - VALOR_MATE, 2, 8 - VALOR_MATE},
        {30000, 9, 30000, 2, 30000}};  // ordinary scores are untouched
    for (const auto& c : casos) {
        TableroGlobal.Ply = c[1];
        AlmacenarPosicion(7, c[0], Exacta, 0);
        EXPECT_EQ(EntradaActual().Puntuacion, c[2]);
        TableroGlobal.Ply = c[3];
        EXPECT_EQ(RecuperarPosicion(-100, 100, 7, p, j), 1);
        EXPECT_EQ(p, c[4]);
    }
}

TEST_F(Transposicion, ProbeRules) {
    int p = 0;
    Jugada j = 77;
    // Nothing stored: no cut, score -32000 and move 0.
    EXPECT_EQ(RecuperarPosicion(0, 1, 1, p, j), 0);
    EXPECT_EQ(p, -32000);
    EXPECT_EQ(j, 0u);
    AlmacenarPosicion(5, 40, CotaInferior, E2E4);
    // Too shallow: no cut, but score and move are given.
    EXPECT_EQ(RecuperarPosicion(0, 30, 6, p, j), 0);
    EXPECT_EQ(p, 40);
    EXPECT_EQ(j, E2E4);
    // Lower bound: cuts only at or above beta.
    EXPECT_EQ(RecuperarPosicion(0, 40, 5, p, j), 1);
    EXPECT_EQ(RecuperarPosicion(0, 41, 5, p, j), 0);
    // A store with move 0 keeps the known move; upper bounds cut at or below alpha.
    AlmacenarPosicion(5, -20, CotaSuperior, 0);
    EXPECT_EQ(EntradaActual().Jugada, E2E4);
    EXPECT_EQ(RecuperarPosicion(-20, 50, 4, p, j), 1);
    EXPECT_EQ(RecuperarPosicion(-21, 50, 4, p, j), 0);
    AlmacenarPosicion(3, 15, Exacta, 0);
    EXPECT_EQ(RecuperarPosicion(100, 200, 3, p, j), 1);
    EXPECT_EQ(p, 15);
    EXPECT_EQ(RecuperarMovimientoHash(), E2E4);
    // Over an entry of another key, move 0 is written as it is.
    Jugar("e2e4");
    AlmacenarPosicion(2, 0, CotaSuperior, 0);
    EXPECT_EQ(RecuperarMovimientoHash(), 0u);
    DeshacerMovimiento();
    // The null-move veto: a stored upper bound (or exact score) at or below alpha, deep enough;
    // the raw stored score is compared, without mate conversion.
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

TEST_F(Transposicion, TableIsEmptyAfter128Searches) {
    AlmacenarPosicion(9, 77, Exacta, E2E4);
    for (int i = 0; i < 127; i++) A_Inicio();
    EXPECT_EQ(RecuperarMovimientoHash(), E2E4);  // still there after 127
    A_Inicio();
    const EntradaTT& e = EntradaActual();
    EXPECT_EQ(e.Clave, 0u);
    EXPECT_EQ(e.Jugada, 0u);
    EXPECT_EQ(e.Puntuacion, -32000);
    EXPECT_EQ(e.Empaquetado, 0);
    // The evaluation cache is cleared with it.
    for (i64 i = 0; i <= TT_Opciones.EntradasCache; i += 4099) {
        EXPECT_EQ(TT_Cache[i].Clave, 0u);
        EXPECT_EQ(TT_Cache[i].Puntuacion, -32000);
    }
}

// The table index is the remainder of the key, taken without a division.
TEST(TablaIndice, RemainderByReciprocalIsExact) {
    u64 x = 0x9E3779B97F4A7C15ull;
    for (u64 n : {u64(65536), u64(1835008), u64(7340032), u64(58720256), u64(65536 * 3 + 1), u64(1000003)}) {
        const Divisor d = CrearDivisor(n);
        for (int i = 0; i < 100000; i++) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            const u64 clave = x >> 1;  // keys are positive as signed numbers
            ASSERT_EQ(Resto(clave, d), clave % n) << clave << " % " << n;
        }
        for (u64 clave : {u64(0), n - 1, n, n + 1, (u64(1) << 63) - 1, ((u64(1) << 63) - 1) / n * n})
            ASSERT_EQ(Resto(clave, d), clave % n) << clave << " % " << n;
    }
}
