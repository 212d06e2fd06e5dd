// The evaluation cache: a second call on the same position returns the stored score and passed
// pawns even with another half-move clock; a new game and re-created tables clear it; the
// eval command's evaluation neither reads nor writes it.
#include <gtest/gtest.h>

#include <cstring>

#include "eval/cache.h"
#include "eval_helpers.h"
#include "search/tt.h"
#include "uci/uci.h"

namespace {

const char* const RELOJ_0 = "7k/P7/8/8/8/8/1P6/4K3 w - - 0 1";      // 1370
const char* const RELOJ_100 = "7k/P7/8/8/8/8/1P6/4K3 w - - 100 1";  // the same key; 68 when evaluated afresh

int EvaluarCon(const char* fen, ResultadoEval* r) {
    PonerFen(fen);
    std::memset(r, 0, sizeof *r);
    return Evaluar(r);
}

}  // namespace

TEST(EvalCache, StoredScoreComesBackAndIsClearedByNewGamesAndNewTables) {
    ASSERT_NE(TT_Cache, nullptr);  // the start-up tables include a cache
    LimpiarTransposicion();
    ResultadoEval r;
    EXPECT_EQ(EvaluarCon(RELOJ_0, &r), 1370);
    EXPECT_EQ(EvaluarCon(RELOJ_100, &r), 1370);
    EXPECT_EQ(r.Puntuacion, 1370);
    EXPECT_EQ(std::vector<int>(r.PeonPasadoBlancas, r.PeonPasadoBlancas + 8),
              (std::vector<int>{8, 49, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(std::vector<int>(r.PeonPasadoNegras, r.PeonPasadoNegras + 8), std::vector<int>(8, -1));
    EXPECT_EQ(FaseJuego, 24);  // the phase is computed before the probe
    EXPECT_EQ(EvaluarSinCache(&r), 68);      // uncached, the clock shows ...
    EXPECT_EQ(Evaluar(&r), 1370);            // ... and the entry is left as it was

    UciNewGame();
    EXPECT_EQ(EvaluarCon(RELOJ_100, &r), 68);
    EXPECT_EQ(EvaluarCon(RELOJ_0, &r), 68);
    CrearTransposicion(TT_Opciones.MegasTT + TT_Opciones.MegasCache);
    ASSERT_NE(TT_Cache, nullptr);
    EXPECT_EQ(EvaluarCon(RELOJ_0, &r), 1370);
    LimpiarTransposicion();
}
