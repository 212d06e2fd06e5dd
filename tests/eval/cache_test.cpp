// The evaluation cache: a second call on the same position returns the stored score and passed
// pawns even at another half-move clock (the key leaves the clock out); the uncached evaluation
// neither reads nor writes it; a new game and re-created tables clear it.
#include <gtest/gtest.h>

#include <cstring>

#include "eval/cache.h"
#include "eval/eval.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "uci/uci.h"

TEST(EvalCache, StoredScoreComesBackAndIsClearedByNewGamesAndNewTables) {
    const std::string fen = "7k/P7/8/8/8/8/1P6/4K3 w - - ";  // 1370 at clock 0, 68 at clock 100
    ResultadoEval r;
    auto evaluar = [&](const std::string& reloj) {
        PonerFen(fen + reloj + " 1");
        std::memset(&r, 0, sizeof r);
        return Evaluar(&r);
    };
    ASSERT_NE(TT_Cache, nullptr);  // the start-up tables include a cache
    LimpiarTransposicion();
    EXPECT_EQ(evaluar("0"), 1370);
    EXPECT_EQ(evaluar("100"), 1370);
    EXPECT_EQ(r.Puntuacion, 1370);
    EXPECT_EQ(std::vector<int>(r.PeonPasadoBlancas, r.PeonPasadoBlancas + 3), (std::vector<int>{8, 49, -1}));
    EXPECT_EQ(EvaluarSinCache(&r), 68);
    EXPECT_EQ(Evaluar(&r), 1370);
    UciNewGame();
    EXPECT_EQ(evaluar("100"), 68);
    EXPECT_EQ(evaluar("0"), 68);
    CrearTransposicion(TT_Opciones.MegasTT + TT_Opciones.MegasCache);
    EXPECT_EQ(evaluar("0"), 1370);
    LimpiarTransposicion();
}
