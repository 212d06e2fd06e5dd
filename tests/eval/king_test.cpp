// King placement, shelter, storm, castling, threats and the king attack, worked out by hand.
#include <gtest/gtest.h>

#include "eval_helpers.h"

namespace {

Puntos ReyBlanco(const std::string& fen) {
    EscanearHastaTorres(fen);
    return Aporte(EvaluarReyB).blancas;
}
Puntos ReyNegro(const std::string& fen) {
    EscanearHastaTorres(fen);
    return Aporte(EvaluarReyN).negras;
}

TEST(EvalKing, DangerFlagsNeedAQueenAndAnotherPiece) {
    Escanear("r2qk3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Blancas.ReyEnPeligro, 1);
    EXPECT_EQ(Negras.ReyEnPeligro, 0);
    Escanear("3qk3/8/8/8/8/8/8/2BQK3 w - - 0 1");
    EXPECT_EQ(Blancas.ReyEnPeligro, 0);  // a lone black queen
    EXPECT_EQ(Negras.ReyEnPeligro, 1);
    Escanear("2b1k3/8/8/8/8/8/8/2R1K3 w - - 0 1");
    EXPECT_EQ(Blancas.ReyEnPeligro, 0);
    EXPECT_EQ(Negras.ReyEnPeligro, 0);
}

TEST(EvalKing, ShelterInFrontOfAKingOffItsBackRank) {
    // King g2 (table 40; endgame with pawns only on e..h: 20), pawns f3 and h3, none on g3:
    // -30 for g3, or -20 when an own pawn stands on g4.
    EXPECT_EQ(ReyBlanco("r2qk3/8/8/8/8/5P1P/6K1/8 w - - 0 1"), (Puntos{10, 20}));
    EXPECT_EQ(ReyBlanco("r2qk3/8/8/8/6P1/5P1P/6K1/8 w - - 0 1"), (Puntos{20, 20}));
    // A lone black queen: no shelter term.
    EXPECT_EQ(ReyBlanco("3qk3/8/8/8/8/5P1P/6K1/8 w - - 0 1"), (Puntos{40, 20}));
    // On its back rank behind f2, g2, h2: only the table (50, -10), even with pawns storming.
    EXPECT_EQ(ReyBlanco("r2qk3/8/8/7p/6p1/8/5PPP/6K1 w - - 0 1"), (Puntos{50, -10}));
}

TEST(EvalKing, PawnStormOnBothWings) {
    // Black pawns a5 (10), b3 (30), h4 (20) storm; d4 is on a centre file and does not.
    EXPECT_EQ(ReyBlanco("r2qk3/8/8/p7/3p3p/1p3P1P/6K1/8 w - - 0 1"), (Puntos{40 - 30 - 60, 20}));
    // The mirror image for Black. Black reads the wing table at Flip, a half turn: with its
    // pawns on f6 and h6 only, its king on g7 reads the value of b2 (0), not that of g2 (20).
    EXPECT_EQ(ReyNegro("8/6k1/1P3p1p/3P3P/P7/8/8/R2QK3 b - - 0 1"), (Puntos{40 - 30 - 60, 0}));
}

TEST(EvalKing, WingTablesFollowTheOwnPawns) {
    // Black pawns only on e..h: a black king on b6 gets 30, one on g6 gets 0.
    EXPECT_EQ(ReyNegro("8/5ppp/1k6/8/8/8/8/4K3 w - - 0 1").eg, 30);
    EXPECT_EQ(ReyNegro("8/5ppp/6k1/8/8/8/8/4K3 w - - 0 1").eg, 0);
    // White pawns only on a..d: the queen-side table, b6 -> 40; no pawns: the plain table.
    EXPECT_EQ(ReyBlanco("4k3/8/1K6/8/8/8/PP6/8 w - - 0 1").eg, 40);
    EXPECT_EQ(ReyBlanco("4k3/8/1K6/8/8/8/8/8 w - - 0 1").eg, -12);
    // Pawns on both wings: the plain table.
    EXPECT_EQ(ReyBlanco("4k3/8/1K6/8/8/8/P6P/8 w - - 0 1").eg, -12);
}

TEST(EvalKing, CastledBonusOnlyAfterCastling) {
    PonerFen("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1");
    EscanearTablero();
    EXPECT_EQ(Aporte(EvaluarReyB).blancas, (Puntos{10, -24}));  // rights held: no bonus
    ASSERT_TRUE(Jugar("e1g1"));
    ASSERT_EQ(TableroGlobal.EnroqueBlancas, 5);
    EscanearTablero();
    EXPECT_EQ(Aporte(EvaluarReyB).blancas, (Puntos{50 + 25, -48 + 25}));
    ASSERT_TRUE(Jugar("e8c8"));
    ASSERT_EQ(TableroGlobal.EnroqueNegras, 4);
    EscanearTablero();
    EXPECT_EQ(Aporte(EvaluarReyN).negras, (Puntos{30 + 25, -36 + 25}));
}

TEST(EvalKing, ThreatsOnlyAgainstUndefendedMen) {
    auto amenazas = [](const std::string& fen) {
        EscanearHastaTorres(fen);
        EvaluarReyB();
        EvaluarReyN();
        return Aporte(EvaluarAmenazas);
    };
    // Rook a4 hits the knight on e4: defended by the pawn d5, nothing; undefended, 12.
    EXPECT_EQ(amenazas("7k/8/8/3p4/R3n3/8/8/7K w - - 0 1").blancas, (Puntos{0, 0}));
    EXPECT_EQ(amenazas("7k/8/8/8/R3n3/8/8/7K w - - 0 1").blancas, (Puntos{12, 12}));
    EXPECT_EQ(amenazas("7k/8/8/r3N3/3P4/8/8/7K b - - 0 1").negras, (Puntos{0, 0}));
    EXPECT_EQ(amenazas("7k/8/8/r3N3/8/8/8/7K b - - 0 1").negras, (Puntos{12, 12}));
    // Two knights on one undefended rook: counted twice, 40 each.
    Aportes a = amenazas("7k/8/8/4r3/8/3N1N2/8/7K w - - 0 1");
    EXPECT_EQ(a.blancas, (Puntos{80, 80}));
    EXPECT_EQ(a.negras, (Puntos{0, 0}));
}

TEST(EvalKing, KingAttackByZoneCountAndWeight) {
    auto ataque = [](int n, int w, int peligro) {
        PonerFen(FEN_INICIAL);
        ReiniciarBandos();
        Blancas.AtaquesZonaRey = n;
        Blancas.PesoAtacantes = w;
        Negras.ReyEnPeligro = peligro;
        return Aporte(EvaluarAtaqueRey).blancas;
    };
    EXPECT_EQ(ataque(1, 4, 1), (Puntos{0, 0}));
    EXPECT_EQ(ataque(2, 2, 1), (Puntos{30, 3}));     // 2 x 25 x 60 / 100
    EXPECT_EQ(ataque(3, 5, 1), (Puntos{112, 14}));   // 5 x 25 x 90 / 100 = 112.5
    EXPECT_EQ(ataque(15, 1, 1), (Puntos{50, 6}));
    EXPECT_EQ(ataque(16, 3, 1), (Puntos{150, 18}));  // 50 x w
    EXPECT_EQ(ataque(9, 6, 0), (Puntos{0, 0}));      // the enemy king is not in danger
}

TEST(EvalKing, KingAttackFromTheBoard) {
    // Queen d7 presses f7, g7, h7 next to the king on g8 (3 squares, weight 4); the rook on a7
    // adds nothing next to the king. White has a queen and a rook, so Black's king is in
    // danger: 4 x 25 x 90 / 100 = 90 and 11.
    EscanearHastaTorres("6k1/R2Q4/8/8/8/8/8/K7 w - - 0 1");
    EvaluarReyB();
    EvaluarReyN();
    EvaluarAmenazas();
    EXPECT_EQ(Blancas.AtaquesZonaRey, 3);
    EXPECT_EQ(Blancas.PesoAtacantes, 4);
    EXPECT_EQ(Aporte(EvaluarAtaqueRey).blancas, (Puntos{90, 11}));
}

}  // namespace
