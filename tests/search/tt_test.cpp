// Transposition table: sizing, mate-score conversion, probe and store rules, the null-move
// veto, the hash-full figure and the clearing every 128th search.
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

}  // namespace

TEST(TransposicionTamano, SizingFromTheHashOption) {
    struct Caso {
        int h, megasTT, megasCache, entradasTT, entradasCache;
    };
    const Caso casos[] = {
        {128, 112, 16, 7340032, 524288},  {32, 28, 4, 1835008, 131072},
        {1024, 896, 128, 58720256, 4194304}, {2000, 896, 128, 58720256, 4194304},
        {31, 31, 0, 31 * 65536, -1},      {1, 1, 0, 65536, -1},
        {0, 1, 0, 65536, -1},             {100, 87, 13, 87 * 65536, 13 * 32768},
    };
    for (const auto& c : casos) {
        RegistroTT r{};
        r.EntradasCache = -1;  // left alone when there is no cache
        DimensionarTransposicion(c.h, r);
        EXPECT_EQ(r.MegasTT, c.megasTT) << c.h;
        EXPECT_EQ(r.MegasCache, c.megasCache) << c.h;
        EXPECT_EQ(r.EntradasTT, c.entradasTT) << c.h;
        EXPECT_EQ(r.EntradasCache, c.entradasCache) << c.h;
    }
}

TEST_F(Transposicion, MateScoresAreStoredRelativeToTheNode) {
    // A mate ten plies from the root, stored at ply 5, is a mate five plies below that node.
    TableroGlobal.Ply = 5;
    AlmacenarPosicion(7, VALOR_MATE - 10, Exacta, 0);
    EXPECT_EQ(EntradaActual().Puntuacion, VALOR_MATE - 5);
    TableroGlobal.Ply = 3;
    int p = 0;
    Jugada j = 1;
    EXPECT_EQ(RecuperarPosicion(-100, 100, 7, p, j), 1);
    EXPECT_EQ(p, VALOR_MATE - 8);
    // Being mated works the other way round.
    TableroGlobal.Ply = 4;
    AlmacenarPosicion(7, 10 - VALOR_MATE, Exacta, 0);
    EXPECT_EQ(EntradaActual().Puntuacion, 6 - VALOR_MATE);
    TableroGlobal.Ply = 2;
    EXPECT_EQ(RecuperarPosicion(-100, 100, 7, p, j), 1);
    EXPECT_EQ(p, 8 - VALOR_MATE);
    // Ordinary scores are untouched.
    TableroGlobal.Ply = 9;
    AlmacenarPosicion(7, 30000, Exacta, 0);
    EXPECT_EQ(EntradaActual().Puntuacion, 30000);
    EXPECT_EQ(AlmacenarPuntosHash(-123), -123);
}

TEST_F(Transposicion, ProbeRules) {
    const Jugada m = CrearJugada(52, 36, PEON_B, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
    int p = 0;
    Jugada j = 77;
    // Nothing stored: no cut, score -32000 and move 0.
    EXPECT_EQ(RecuperarPosicion(0, 1, 1, p, j), 0);
    EXPECT_EQ(p, -32000);
    EXPECT_EQ(j, 0u);

    AlmacenarPosicion(5, 40, CotaInferior, m);
    EXPECT_EQ(EntradaActual().Clave, TableroGlobal.Hash);
    EXPECT_EQ(ProfundidadTT(EntradaActual()), 5);
    EXPECT_EQ(CotaTT(EntradaActual()), CotaInferior);
    // Too shallow: no cut, but score and move are given.
    EXPECT_EQ(RecuperarPosicion(0, 30, 6, p, j), 0);
    EXPECT_EQ(p, 40);
    EXPECT_EQ(j, m);
    // Lower bound: cuts only at or above beta.
    EXPECT_EQ(RecuperarPosicion(0, 40, 5, p, j), 1);
    EXPECT_EQ(RecuperarPosicion(0, 41, 5, p, j), 0);
    EXPECT_EQ(p, 40);

    AlmacenarPosicion(5, -20, CotaSuperior, 0);
    EXPECT_EQ(EntradaActual().Jugada, m);  // a fail-low store keeps the known move
    EXPECT_EQ(RecuperarPosicion(-20, 50, 4, p, j), 1);
    EXPECT_EQ(RecuperarPosicion(-21, 50, 4, p, j), 0);
    EXPECT_EQ(j, m);

    AlmacenarPosicion(3, 15, Exacta, 0);
    EXPECT_EQ(RecuperarPosicion(100, 200, 3, p, j), 1);
    EXPECT_EQ(p, 15);
    EXPECT_EQ(RecuperarMovimientoHash(), m);

    // Over an entry of another key, move 0 is written as it is.
    Jugar("e2e4");
    AlmacenarPosicion(2, 0, CotaSuperior, 0);
    EXPECT_EQ(RecuperarMovimientoHash(), 0u);
    DeshacerMovimiento();
}

TEST_F(Transposicion, GenerationIsRefreshedOnACut) {
    AlmacenarPosicion(4, 10, Exacta, 0);
    EXPECT_EQ(GeneracionTT(EntradaActual()), 0);
    A_Inicio(0);
    A_Inicio(0);
    int p;
    Jugada j;
    EXPECT_EQ(RecuperarPosicion(50, 60, 5, p, j), 0);  // too shallow: left as it was
    EXPECT_EQ(GeneracionTT(EntradaActual()), 0);
    EXPECT_EQ(RecuperarPosicion(50, 60, 4, p, j), 1);
    EXPECT_EQ(GeneracionTT(EntradaActual()), 2);
    EXPECT_EQ(ProfundidadTT(EntradaActual()), 4);
    EXPECT_EQ(CotaTT(EntradaActual()), Exacta);
}

TEST_F(Transposicion, NullMoveVeto) {
    AlmacenarPosicion(4, 10, CotaSuperior, 0);
    EXPECT_TRUE(CancelarNull(10, 4));
    EXPECT_TRUE(CancelarNull(50, 2));
    EXPECT_FALSE(CancelarNull(9, 4));   // stored score above alpha
    EXPECT_FALSE(CancelarNull(10, 5));  // too shallow
    AlmacenarPosicion(4, 10, CotaInferior, 0);
    EXPECT_FALSE(CancelarNull(10, 4));
    AlmacenarPosicion(4, 10, Exacta, 0);
    EXPECT_TRUE(CancelarNull(10, 4));
    // The raw stored score is compared, without mate conversion.
    TableroGlobal.Ply = 2;
    AlmacenarPosicion(4, 2 - VALOR_MATE, Exacta, 0);  // stored as -31000
    TableroGlobal.Ply = 0;
    EXPECT_TRUE(CancelarNull(-31000, 1));
    EXPECT_FALSE(CancelarNull(-31001, 1));
}

TEST_F(Transposicion, HashFullCountsStoresSinceTheLastSearch) {
    EXPECT_EQ(ObtenerHashCompleto(), 0);
    TT_Opciones.Escrituras = TT_Opciones.EntradasTT / 2;
    EXPECT_EQ(ObtenerHashCompleto(), 500);
    TT_Opciones.Escrituras = TT_Opciones.EntradasTT;
    AlmacenarPosicion(1, 0, Exacta, 0);
    EXPECT_EQ(TT_Opciones.Escrituras, TT_Opciones.EntradasTT);  // never above the size
    EXPECT_EQ(ObtenerHashCompleto(), 1000);
    A_Inicio(0);
    EXPECT_EQ(ObtenerHashCompleto(), 0);
}

TEST_F(Transposicion, TableIsEmptyAfter128Searches) {
    const Jugada m = CrearJugada(52, 36, PEON_B, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
    AlmacenarPosicion(9, 77, Exacta, m);
    for (int i = 0; i < 127; i++) A_Inicio(0);
    EXPECT_EQ(TT_Opciones.Generacion, 127);
    EXPECT_EQ(RecuperarMovimientoHash(), m);  // still there after 127
    A_Inicio(0);
    EXPECT_EQ(TT_Opciones.Generacion, 0);
    const EntradaTT& e = EntradaActual();
    EXPECT_EQ(e.Clave, 0u);
    EXPECT_EQ(e.Jugada, 0u);
    EXPECT_EQ(e.Puntuacion, -32000);
    EXPECT_EQ(e.Empaquetado, 0);
    int p;
    Jugada j;
    EXPECT_EQ(RecuperarPosicion(-32000, 32000, 1, p, j), 0);
    // The evaluation cache is cleared with it.
    ASSERT_NE(TT_Cache, nullptr);
    for (i64 i = 0; i <= TT_Opciones.EntradasCache; i += 4099) {
        EXPECT_EQ(TT_Cache[i].Clave, 0u);
        EXPECT_EQ(TT_Cache[i].Puntuacion, -32000);
    }
}

// The table index is the remainder of the key, taken without a division.
TEST(TablaIndice, RemainderByReciprocalIsExact) {
    const u64 tamanos[] = {65536, 131072, 1835008, 7340032, 524288, 58720256, 65536 * 3 + 1, 1000003};
    u64 x = 0x9E3779B97F4A7C15ull;
    for (u64 n : tamanos) {
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
