// The evaluation cache: probed and stored by the full evaluation, keyed on the position key
// only, cleared by a new game and by re-creating the tables.
#include <gtest/gtest.h>

#include <cstring>

#include "eval_helpers.h"
#include "search/tt.h"
#include "uci/uci.h"

namespace {

const char* PEONES_0 = "7k/P7/8/8/8/8/1P6/4K3 w - - 0 1";      // 1370
const char* PEONES_100 = "7k/P7/8/8/8/8/1P6/4K3 w - - 100 1";  // 68 when evaluated afresh
const i8 PASADOS[8] = {8, 49, -1, -1, -1, -1, -1, -1};

EntradaCacheEval& EntradaActual() {
    i64 indice = i64(TableroGlobal.Hash) % i64(TT_Opciones.EntradasCache);
    return TT_Cache[indice];
}

class EvalCache : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(TT_Opciones.MegasCache, 0);  // the start-up tables include a cache
        ASSERT_NE(TT_Cache, nullptr);
        LimpiarTransposicion();
    }
    void TearDown() override { LimpiarTransposicion(); }
};

TEST_F(EvalCache, SecondCallReturnsTheCachedScoreEvenWithAnotherClock) {
    PonerFen(PEONES_0);
    ResultadoEval r;
    EXPECT_EQ(Evaluar(&r), 1370);
    EXPECT_EQ(EntradaActual().Clave, TableroGlobal.Hash);
    EXPECT_EQ(EntradaActual().Puntuacion, 1370);
    EXPECT_EQ(std::memcmp(EntradaActual().PasadoBlancas, PASADOS, 8), 0);

    PonerFen(PEONES_100);  // same key: the clock is not part of it
    std::memset(&r, 0, sizeof r);
    EXPECT_EQ(Evaluar(&r), 1370);
    EXPECT_EQ(r.Puntuacion, 1370);
    EXPECT_EQ(std::memcmp(r.PeonPasadoBlancas, PASADOS, 8), 0);
    for (int f = 0; f < 8; f++) EXPECT_EQ(r.PeonPasadoNegras[f], -1);
    EXPECT_EQ(TableroGlobal.FaseJuego, 24);  // the phase is computed before the probe
    // The uncached evaluation sees the clock.
    EXPECT_EQ(EvaluarSinCache(&r), 68);
}

TEST_F(EvalCache, AHitCopiesTheEntryWithoutFurtherChecks) {
    PonerFen(PEONES_0);
    EntradaCacheEval& e = EntradaActual();
    e.Clave = TableroGlobal.Hash;
    e.Puntuacion = -5000;
    for (int f = 0; f < 8; f++) {
        e.PasadoBlancas[f] = i8(f);
        e.PasadoNegras[f] = i8(63 - f);
    }
    ResultadoEval r;
    EXPECT_EQ(Evaluar(&r), -5000);
    EXPECT_EQ(r.Puntuacion, -5000);
    for (int f = 0; f < 8; f++) {
        EXPECT_EQ(r.PeonPasadoBlancas[f], f);
        EXPECT_EQ(r.PeonPasadoNegras[f], 63 - f);
    }
    // The eval command's evaluation neither reads nor writes it.
    EXPECT_EQ(EvaluarSinCache(&r), 1370);
    EXPECT_EQ(e.Puntuacion, -5000);
}

TEST_F(EvalCache, EachSideToMoveHasItsOwnEntry) {
    PonerFen(PEONES_0);
    ResultadoEval r;
    EXPECT_EQ(Evaluar(&r), 1370);
    PonerFen("7k/P7/8/8/8/8/1P6/4K3 b - - 0 1");
    EXPECT_EQ(Evaluar(&r), -1360);
    PonerFen(PEONES_0);
    EXPECT_EQ(Evaluar(&r), 1370);
}

TEST_F(EvalCache, NewGameClearsIt) {
    PonerFen(PEONES_0);
    ResultadoEval r;
    Evaluar(&r);
    UciNewGame();
    PonerFen(PEONES_100);
    EXPECT_EQ(Evaluar(&r), 68);
    EXPECT_EQ(EntradaActual().Puntuacion, 68);
}

TEST_F(EvalCache, RecreatingTheTablesClearsIt) {
    PonerFen(PEONES_0);
    ResultadoEval r;
    Evaluar(&r);
    CrearTransposicion(TT_Opciones.MegasTT + TT_Opciones.MegasCache);
    ASSERT_NE(TT_Cache, nullptr);
    PonerFen(PEONES_100);
    EXPECT_EQ(Evaluar(&r), 68);
}

TEST_F(EvalCache, SpecialEndingsAndMaterialDrawsAreNotStored) {
    for (const char* fen : {"4k3/8/4K3/8/8/8/8/R7 w - - 0 1", "8/8/8/4k3/8/8/8/2N1K3 w - - 0 1"}) {
        PonerFen(fen);
        ResultadoEval r;
        Evaluar(&r);
        EXPECT_NE(EntradaActual().Clave, TableroGlobal.Hash) << fen;
    }
}

TEST_F(EvalCache, NoCacheBelowThirtyTwoMegabytes) {
    CrearTransposicion(16);
    ASSERT_EQ(TT_Opciones.MegasCache, 0);
    ResultadoEval r;
    PonerFen(PEONES_0);
    EXPECT_EQ(Evaluar(&r), 1370);
    PonerFen(PEONES_100);
    EXPECT_EQ(Evaluar(&r), 68);
    CrearTransposicion(128);
    ASSERT_NE(TT_Cache, nullptr);
}

TEST_F(EvalCache, CachedAndUncachedAgreeAlongAGame) {
    Posicion("startpos");
    for (const char* m : {"e2e4", "c7c5", "g1f3", "d7d6", "d2d4", "c5d4", "f3d4", "g8f6", "b1c3", "a7a6",
                          "c1e3", "e7e5", "d4b3", "c8e6", "f2f3", "f8e7", "d1d2", "e8g8", "e1c1", "b8d7"}) {
        ASSERT_TRUE(Jugar(m)) << m;
        ResultadoEval a, b;
        int sin = EvaluarSinCache(&a);
        EXPECT_EQ(Evaluar(&b), sin) << m;
        EXPECT_EQ(Evaluar(&b), sin) << m;  // the hit
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << m;
    }
}

}  // namespace
