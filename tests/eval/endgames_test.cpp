// Endings recognised by their exact material. Each value is worked out by hand from the
// ending tables; results are from the side to move's point of view.
#include <gtest/gtest.h>

#include <cstring>

#include "eval_helpers.h"

namespace {

struct Caso {
    const char* fen;
    int valor;
};

// The ending's score through the whole evaluation, which must also leave the record alone.
void Comprobar(const Caso& c) {
    PonerFen(c.fen);
    ResultadoEval r;
    std::memset(&r, 0x33, sizeof r);
    ResultadoEval antes = r;
    EXPECT_EQ(EvaluarSinCache(&r), c.valor) << c.fen;
    EXPECT_EQ(std::memcmp(&r, &antes, sizeof r), 0) << c.fen;
    EXPECT_EQ(EvaluarFinalesDificiles(), c.valor) << c.fen;
}

TEST(EvalEndgames, MatesAgainstABareKing) {
    const Caso casos[] = {
        // Light bishop (d5), defending king on h1: 4000 + 200 + PushClose[d(f3, h1) = 2].
        {"8/8/8/3B4/8/5K2/8/1N5k w - - 0 1", 4300},
        {"8/8/8/3B4/8/5K2/8/1N5k b - - 0 1", -4300},
        // Light bishop (h7), defending king on a1: 4000 + 0 + PushClose[2].
        {"8/7B/8/8/8/2K5/8/k6N w - - 0 1", 4100},
        // Dark bishop (e5), defending king on h1: table 0 has 0 there.
        {"8/8/8/4B3/8/5K2/8/1N5k w - - 0 1", 4100},
        // Black's bishop and knight against the white king on h1.
        {"8/8/8/3b4/8/5k2/8/1n5K b - - 0 1", 4300},
        {"8/8/8/3b4/8/5k2/8/1n5K w - - 0 1", -4300},
        // Two bishops: 4000 + mate table at e8 (70) + PushClose[2].
        {"4k3/8/4K3/8/8/8/8/2B2B2 w - - 0 1", 4170},
        // Rook, or queen with pawns: the same formula.
        {"4k3/8/4K3/8/8/8/8/R7 w - - 0 1", 4170},
        {"4k3/8/4K3/8/8/8/PP6/Q7 w - - 0 1", 4170},
        {"4K3/8/4k3/8/8/8/8/r7 w - - 0 1", -4170},
        // Not tapered and not scaled by the half-move clock.
        {"4k3/8/4K3/8/8/8/8/R7 w - - 99 1", 4170},
        {"4k3/8/4K3/8/8/8/8/R7 w - - 100 1", 4170},
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, KnightsAndEqualRooksAndMinorsDraw) {
    const Caso casos[] = {
        {"8/8/8/8/8/2NNK3/8/6k1 w - - 0 1", 0},         // two knights
        {"8/8/8/8/8/2NNK3/8/6k1 b - - 0 1", 0},
        {"8/8/8/8/2n5/2NNK3/8/6k1 w - - 0 1", 0},       // two knights against one
        {"7k/8/8/8/8/4K3/8/R4br1 w - - 0 1", 0},        // rook against rook and bishop
        {"7K/8/8/8/8/4k3/8/r4BR1 b - - 0 1", 0},
        {"7r/8/4k3/8/8/8/8/R3K3 w - - 0 1", 0},         // rooks, kings five apart
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, KingAndPawnAgainstKing) {
    const Caso casos[] = {
        // e6, White to move, king a1: 2 < 5: 1000 + PushAway[5] + 2 x PushAway[7].
        {"8/8/4P3/8/8/8/8/k6K w - - 0 1", 1280},
        {"8/8/4P3/8/8/8/8/k6K b - - 0 1", -1280},  // steps 3, still < 5
        // Defending king e6 in front of the pawn e4: 0.
        {"8/8/4k3/8/4P3/8/8/7K w - - 0 1", 0},
        // King c5 beside and behind e6: steps 2 not < 2, but behind: 1000 + 80 + 2 x PushAway[3].
        {"8/8/4P3/2k5/8/8/8/7K w - - 0 1", 1160},
        // Black pawn e3, Black to move, white king a8.
        {"K7/8/8/8/8/4p3/8/7k b - - 0 1", 1280},
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, RookOrQueenAgainstPieceOrPawn) {
    const Caso casos[] = {
        // Rook against rook, kings two apart. White to move: PushClose[2] + mate table at e6
        // (30) + PushAway[d(e6, h8) = 3]. Black to move: 100 + 20 (e4) + PushAway[d(e4, a1) = 4].
        {"7r/8/4k3/8/4K3/8/8/R7 w - - 0 1", 170},
        {"7r/8/4k3/8/4K3/8/8/R7 b - - 0 1", 180},
        // Queen against rook: PushClose[d(e6, e8) = 2] + 70 + PushAway[d(e8, h8) = 3].
        {"4k2r/8/4K3/8/8/8/8/Q7 w - - 0 1", 210},
        {"4k2r/8/4K3/8/8/8/8/Q7 b - - 0 1", -210},
        // Rook against bishop: mate table at h8; against a knight on g1: + PushAway[7].
        {"7k/8/8/8/8/4K3/8/R5b1 w - - 0 1", 100},
        {"7k/8/8/8/8/4K3/8/R5b1 b - - 0 1", -100},
        {"7k/8/8/8/8/4K3/8/R5n1 w - - 0 1", 200},
        // Queen against pawn, the defending king two squares from its pawn: 4000.
        {"8/8/8/8/8/8/k1p5/6QK w - - 0 1", 4000},
        {"8/8/8/8/8/8/k1p5/6QK b - - 0 1", -4000},
        {"8/8/8/8/8/8/k1p5/6RK w - - 0 1", 4000},
        // King next to its pawn one step from queening, attacker's king far: steps 1 < 7: 0.
        {"8/8/8/8/8/8/kp6/6RK w - - 0 1", 0},
        // Neither rule fires: base + PushAway[d(h1, a8) = 7]; the queen's base is 975 for White...
        {"k7/8/8/8/4p3/8/8/1Q5K w - - 0 1", 1075},
        // ...and 500 for Black.
        {"1q5k/8/8/4P3/8/8/8/K7 b - - 0 1", 600},
        // Rook h7 and king h5 both too far from b1 for the pawn b3: 875 for the pawn's side.
        {"8/7R/4k3/7K/8/1p6/8/8 w - - 0 1", -875},
        {"8/7R/4k3/7K/8/1p6/8/8 b - - 0 1", 875},
        // The attacker's king in front of the pawn: 500 + PushAway[d(b2, e6) = 4].
        {"8/8/4k3/8/8/1p6/1K6/7R w - - 0 1", 560},
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, MinorPieceAndPawn) {
    const Caso casos[] = {
        // Knight and rook's pawn on a7 with the defending king next to a8: 0; elsewhere 325.
        {"1k6/P7/8/8/8/8/8/4K1N1 w - - 0 1", 0},
        {"3k4/P7/8/8/8/8/8/4K1N1 w - - 0 1", 325},
        {"3k4/P7/8/8/8/8/8/4K1N1 b - - 0 1", -325},
        {"4k3/8/8/8/8/8/7p/n3K3 b - - 0 1", 325},     // Black's h2 pawn, white king e1 far from h1
        {"4k3/8/8/8/8/8/7p/n5K1 b - - 0 1", 0},       // white king g1 next to h1
        // Bishop and h7 pawn, king h8: wrong-coloured (light) bishop draws.
        {"7k/7P/8/8/8/8/4B3/4K3 w - - 0 1", 0},
        // Dark bishop, White to move, the pawn attacked by the king: 325 + PushAway[1] + PushAway[6].
        {"7k/7P/8/8/8/8/3B4/4K3 w - - 0 1", 420},
        {"7k/7P/8/8/8/8/3B4/4K3 b - - 0 1", -325},
        // Bishop and pawn, pawn not attacked: 325.
        {"7k/8/8/8/4P3/8/3B4/4K3 w - - 0 1", 325},
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, KnightAndPawnAgainstBishop) {
    const Caso casos[] = {
        // White knight and pawn e4 against the bishop c6, which attacks e4; White to move:
        // 325 + PushAway[d(a8, e4) = 4] + PushAway[3].
        {"k7/8/2b5/8/4P3/8/8/N6K w - - 0 1", 425},
        {"k7/8/2b5/8/4P3/8/8/N6K b - - 0 1", 0},
        {"k1b5/8/8/8/4P3/8/8/N6K w - - 0 1", 0},  // the pawn is not attacked
        // Black knight and pawn e5 against the bishop: the test is again whether Black attacks
        // the pawn's square (here Black's own king on d6 does): 325 + PushAway[d(h1, e5) = 4] + 40.
        {"8/8/3k4/4p3/8/8/8/B1n4K b - - 0 1", 425},
        {"8/8/3k4/4p3/8/8/8/B1n4K w - - 0 1", 0},
        {"k7/8/8/4p3/8/8/8/B1n4K b - - 0 1", 0},
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, TwoBishops) {
    const Caso casos[] = {
        // Against a bishop: PushClose[d(e3, h8) = 5] + PushToCorners[h8] + PushAway[d(h8, a6) = 7].
        {"7k/8/b7/8/8/4K3/8/2B2B2 w - - 0 1", 270},
        {"7k/8/b7/8/8/4K3/8/2B2B2 b - - 0 1", -270},
        {"8/8/b7/3k4/8/4K3/8/2B2B2 w - - 0 1", 0},  // defending king in the centre
        // Against a knight on g6: 40 + 130 + PushAway[d(h8, g6) = 2].
        {"7k/8/6n1/8/8/4K3/8/2B2B2 w - - 0 1", 190},
        // Two against two, the side to move is the favoured one. White: 40 + 130 +
        // PushAway[d(h8, b8) = 6] + PushAway[d(h8, a6) = 7]. Black: 40 + PushToCorners[e3] (140)
        // + PushAway[d(e3, c1) = 2] + PushAway[d(e3, f1) = 2].
        {"1b5k/8/b7/8/8/4K3/8/2B2B2 w - - 0 1", 360},
        {"1b5k/8/b7/8/8/4K3/8/2B2B2 b - - 0 1", 220},
    };
    for (const Caso& c : casos) Comprobar(c);
}

TEST(EvalEndgames, OtherMaterialFallsThroughToTheGeneralEvaluation) {
    for (const char* fen : {"7k/8/8/8/8/4K3/P7/R6r w - - 0 1", "7k/8/8/8/8/4K3/8/RN5r w - - 0 1",
                            "7k/p7/8/8/8/4K3/P7/8 w - - 0 1", "7k/8/8/8/8/4K3/8/NB5n w - - 0 1"}) {
        PonerFen(fen);
        EscanearTablero();
        EXPECT_EQ(EvaluarFinalesDificiles(), -1) << fen;
    }
    // Phase 15 or less: the special endings are not consulted even for a lone king.
    PonerFen("4k3/8/4K3/8/8/8/8/QQ1R4 w - - 0 1");
    ResultadoEval r;
    int v = EvaluarSinCache(&r);
    EXPECT_EQ(TableroGlobal.FaseJuego, 14);
    EXPECT_NE(v, EvaluarFinalesDificiles());
}

TEST(EvalEndgames, PawnSafetyTestColours) {
    PonerFen("8/8/3k4/4p3/8/8/8/B1n4K b - - 0 1");
    EXPECT_EQ(Peon_Asalvo(28, COLOR_NEGRO), 1);   // e5: Black's king covers it
    EXPECT_EQ(Peon_Asalvo(28, COLOR_BLANCO), 1);  // and White's bishop a1 hits it
    EXPECT_EQ(Peon_Asalvo(36, COLOR_BLANCO), 0);  // e4: White does not reach it
    ASSERT_EQ(Salir, 0);
    EXPECT_EQ(Peon_Asalvo(28, 2), 0);
    EXPECT_EQ(Salir, 1);
    Salir = 0;
}

}  // namespace
