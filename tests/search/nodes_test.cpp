// Single nodes of the two searches, called directly: mate and draw scores, the depth and ply
// limits of the quiescence search, stand pat, and the reverse-futility margins. Scores are
// compared with what Evaluar says about the same position, never with fixed evaluation values.
#include <gtest/gtest.h>

#include "eval/eval.h"
#include "search/search.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "uci/limits.h"
#include "uci/uci.h"

namespace {

class Nodo : public ::testing::Test {
protected:
    void SetUp() override {
        SondearEntrada = false;
        UciNewGame();
    }
    void TearDown() override {
        TableroGlobal.Ply = 0;
        UciNewGame();
    }
    static int Eval() {
        ResultadoEval r;
        return Evaluar(&r);
    }
};

constexpr const char* MATE_PASTOR = "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3";

}  // namespace

TEST_F(Nodo, MateAtOnceAndMatedAtPlyOne) {
    PonerFen("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1");
    TableroGlobal.Ply = 0;
    EXPECT_EQ(AlphaBeta_Pv(2, -VALOR_INFINITO, VALOR_INFINITO, 0, 0, 0), VALOR_MATE - 1);
    ASSERT_TRUE(Jugar("d1d8"));
    EXPECT_EQ(TableroGlobal.Ply, 1);
    EXPECT_EQ(AlphaBeta_Pv(2, -VALOR_INFINITO, VALOR_INFINITO, 1, 0, 0), 1 - VALOR_MATE);
    // The quiescence search sees it too, whatever its depth budget.
    EXPECT_EQ(AlphaBeta_Qs(0, -VALOR_INFINITO, VALOR_INFINITO, 1), 1 - VALOR_MATE);
    EXPECT_EQ(AlphaBeta_Qs(-3, -VALOR_INFINITO, VALOR_INFINITO, 1), 1 - VALOR_MATE);
}

TEST_F(Nodo, QuiescenceInCheckAtPlySixtyThreeIsStatic) {
    PonerFen(MATE_PASTOR);
    TableroGlobal.Ply = 63;
    const int e = Eval();
    EXPECT_EQ(AlphaBeta_Qs(8, -VALOR_INFINITO, VALOR_INFINITO, 1), e);
    TableroGlobal.Ply = 5;
    EXPECT_EQ(AlphaBeta_Qs(8, -VALOR_INFINITO, VALOR_INFINITO, 1), 5 - VALOR_MATE);
    // The main search hands such a node to the quiescence search.
    TableroGlobal.Ply = 63;
    EXPECT_EQ(AlphaBeta_Pv(5, -VALOR_INFINITO, VALOR_INFINITO, 1, 0, 0), e);
}

TEST_F(Nodo, FiftyMoveRuleInBothSearches) {
    PonerFen("4k3/8/8/3q4/8/8/3Q4/4K3 w - - 100 1");
    TableroGlobal.Regla50 = 101;  // as after one more reversible ply (a FEN caps the clock at 100)
    TableroGlobal.Ply = 1;
    EXPECT_EQ(AlphaBeta_Pv(3, -100, 100, 0, 0, 0), 0);
    EXPECT_EQ(AlphaBeta_Qs(8, -100, 100, 0), 0);
    PonerFen("4k3/8/8/3q4/8/8/3Q4/4K3 w - - 100 1");
    TableroGlobal.Ply = 1;
    // White takes the queen: no draw yet.
    EXPECT_GT(AlphaBeta_Qs(8, -VALOR_INFINITO, VALOR_INFINITO, 0), 500);
}

TEST_F(Nodo, StandPatWhenEveryCaptureIsPruned) {
    // Only small captures, and alpha far above: delta pruning removes them all. (The rook
    // keeps the capture from turning the ending into a drawn king-and-pawn one.)
    PonerFen("4k3/8/8/3p4/4P3/8/8/R3K3 w - - 0 1");
    TableroGlobal.Ply = 1;
    const int e = Eval();
    EXPECT_EQ(AlphaBeta_Qs(8, e + 1000, e + 2000, 0), e);
    // With an open window the capture is searched and changes the score.
    EXPECT_NE(AlphaBeta_Qs(8, e - 2000, e + 2000, 0), e);
    // Standing pat above beta returns the evaluation itself (fail-soft).
    EXPECT_EQ(AlphaBeta_Qs(8, e - 20, e - 10, 0), e);
}

TEST_F(Nodo, ReverseFutilityMargins) {
    // A quiet position; non-PV node below the root, not in check.
    PonerFen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
    TableroGlobal.Ply = 1;
    TableroGlobal.Regla50 = 0;
    const int e = Eval();
    const int margen[4] = {0, 40, 80, 120};
    for (int d = 1; d <= 3; d++) {
        const int beta = e - margen[d];
        // Each call starts from an empty table, so no stored bound answers it.
        auto Nodos = [&](int alpha, int b, int noPv, int sinNulo, int* puntos = nullptr) {
            LimpiarTransposicion();
            TipoJuego.Nodos = 0;
            const int p = AlphaBeta_Pv(d, alpha, b, 0, noPv, sinNulo);
            if (puntos) *puntos = p;
            return TipoJuego.Nodos;
        };
        int p = 0;
        EXPECT_EQ(Nodos(beta - 1, beta, 1, 0, &p), 1u) << d;  // nothing below was searched
        EXPECT_EQ(p, e - margen[d]) << d;
        // One point higher and the node is searched.
        EXPECT_GT(Nodos(beta, beta + 1, 1, 0), 1u) << d;
        // Not after a null move, nor at a PV node.
        EXPECT_GT(Nodos(beta - 1, beta, 1, 1), 1u) << d;
        EXPECT_GT(Nodos(beta - 1, beta, 0, 0), 1u) << d;
    }
}

TEST_F(Nodo, MateDistanceBoundsCutAtOnce) {
    PonerFen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
    TableroGlobal.Ply = 10;
    TipoJuego.Nodos = 0;
    // Nothing can score better than mating right here: a window above that is answered at once.
    EXPECT_EQ(AlphaBeta_Pv(4, VALOR_MATE - 10, VALOR_MATE - 5, 0, 0, 0), VALOR_MATE - 10);
    EXPECT_EQ(TipoJuego.Nodos, 1u);
    EXPECT_EQ(AlphaBeta_Qs(4, 10 - VALOR_MATE - 50, 10 - VALOR_MATE - 20, 0), 10 - VALOR_MATE);
}
