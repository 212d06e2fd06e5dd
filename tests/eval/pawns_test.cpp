// Pawn structure and passed pawns, each case worked out by hand from the pawn tables.
#include <gtest/gtest.h>

#include <cstring>

#include "eval_helpers.h"

namespace {

struct Pasada {
    Aportes blancas, negras;  // only .blancas of the first and .negras of the second are of use
};

// The scan, then each side's pawn pass measured on its own.
Pasada Peones(const std::string& fen) {
    Escanear(fen);
    Pasada p;
    p.blancas = Aporte(EvaluarPeonesB);
    p.negras = Aporte(EvaluarPeonesN);
    return p;
}

void EsperarPasados(const DatosBando& b, std::initializer_list<int> esperado) {
    int f = 0;
    for (int v : esperado) EXPECT_EQ(b.PeonPasado[f++], v) << "file " << f - 1;
}

TEST(EvalPawns, CandidateBackwardAndIsolated) {
    // e5 opposed by e7, not blocked, supported by d4: table 15/8, support 0/+10, candidate r = 4
    // 4/8. d4 has e5 diagonally in front and is not supported: backward, open (-16, -24), table
    // 15/4. Black e7: isolated, not blocked (-16, -20), table 5/0.
    Pasada p = Peones("6k1/4p3/8/4P3/3P4/8/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{18, 6}));
    EXPECT_EQ(p.negras.negras, (Puntos{-11, -20}));
    EsperarPasados(Blancas, {-1, -1, -1, -1, -1, -1, -1, -1});
    EsperarPasados(Negras, {-1, -1, -1, -1, -1, -1, -1, -1});
}

TEST(EvalPawns, BlockedBackwardPawnAndBlockedIsolatedPawn) {
    // d4 blocked by d5 with e5 in front of it: backward and blocked (-8, -12), table 15/4.
    // e5: passed and supported: 15 + 16 and 8 + 10 + 10 + 32 + 40. Black d5: isolated and
    // blocked (-8, -16), table 15/4.
    Pasada p = Peones("r5k1/8/8/3pP3/3P4/8/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{38, 92}));
    EXPECT_EQ(p.negras.negras, (Puntos{7, -12}));
    EsperarPasados(Blancas, {-1, -1, -1, -1, 28, -1, -1, -1});
    EsperarPasados(Negras, {-1, -1, -1, -1, -1, -1, -1, -1});
}

TEST(EvalPawns, DoubledPawnsFirstVisitedDependsOnColour) {
    // White e5 and e3: the more advanced e5 is first (passed, isolated); e3 doubled and isolated.
    Pasada p = Peones("r5k1/8/8/4P3/8/4P3/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{-4, 30}));
    EsperarPasados(Blancas, {-1, -1, -1, -1, 28, -1, -1, -1});
    // The mirror image for Black: the rearmost pawn (e6) is first and is the passed one; e4 is
    // doubled, so the result differs from White's.
    p = Peones("6k1/8/4p3/8/4p3/8/8/R5K1 b - - 0 1");
    EXPECT_EQ(p.negras.negras, (Puntos{-20, -42}));
    EsperarPasados(Negras, {-1, -1, -1, -1, 20, -1, -1, -1});
    // The slots are left rotated: the last pawn visited sits in slot 0.
    EXPECT_EQ(Negras.CasillaPeon[0][4], 36);
    EXPECT_EQ(Negras.CasillaPeon[1][4], 20);
}

TEST(EvalPawns, ThreePawnsOnAFileAreEachVisitedOnce) {
    // e6, e4, e2 with no enemy pawns: e6 is first (passed); the other two doubled.
    // e6: 5 - 16 + 32 and 10 - 20 + 64 + 80; e4: 15 - 8 - 16, 4 - 10 - 20; e2: 5 - 8 - 16, 0 - 10 - 20.
    Pasada p = Peones("r5k1/8/4P3/8/4P3/8/4P3/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{21 - 9 - 19, 134 - 26 - 30}));
    EsperarPasados(Blancas, {-1, -1, -1, -1, 20, -1, -1, -1});
}

TEST(EvalPawns, SupportedPassedPawnGetsTwentyInTheEndgame) {
    // e5: table 15/8, supported +10, passed +10 more, 16/32, free square ahead 0/40.
    // d4: passed too (table 15/4, 8/16, 0/20).
    Pasada p = Peones("r5k1/8/8/4P3/3P4/8/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{54, 140}));
    EsperarPasados(Blancas, {-1, -1, -1, 35, 28, -1, -1, -1});
    // The same without the support: e5 alone.
    p = Peones("r5k1/8/8/4P3/8/8/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{15 - 16 + 16, 8 - 20 + 32 + 40}));
}

TEST(EvalPawns, UnstoppablePawnAgainstABareKing) {
    // a7: table -15/15, 64/128, free square 0/120, and unstoppable: distance 1 < 7, 0/800.
    // b2: distance 6 is not below the king's 6: table -5/0 only.
    Pasada p = Peones("7k/P7/8/8/8/8/1P6/4K3 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{44, 1063}));
    EsperarPasados(Blancas, {8, 49, -1, -1, -1, -1, -1, -1});
    // Black to move: the a-pawn's distance is 2, still below 7.
    p = Peones("7k/P7/8/8/8/8/1P6/4K3 b - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{44, 1063}));
    // A black knight anywhere: no unstoppable bonus.
    p = Peones("7k/P7/8/8/8/8/1P6/n3K3 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{44, 263}));
    // The mirror image: black pawns a2 and b7 against the white king on h1.
    p = Peones("4k3/1p6/8/8/8/8/p7/7K b - - 0 1");
    EXPECT_EQ(p.negras.negras, (Puntos{44, 1063}));
    EsperarPasados(Negras, {48, 9, -1, -1, -1, -1, -1, -1});
}

TEST(EvalPawns, PassedPawnBlockedByAPiece) {
    // e6 with a black knight on e7: still passed, but no bonus for a free square ahead.
    // Table 5/10, isolated (-16, -20), 32/64.
    Pasada p = Peones("6k1/4n3/4P3/8/8/8/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{21, 54}));
    EsperarPasados(Blancas, {-1, -1, -1, -1, 20, -1, -1, -1});
}

TEST(EvalPawns, EdgeFilesLookAtOneSideOnly) {
    // h5 against a black pawn on a6: a6 is not on an adjacent file of h5 (no wrap): passed.
    // h5: table -15/8, isolated (-16, -20), 16/32, free 0/40.
    Pasada p = Peones("r5k1/8/p7/7P/8/8/8/6K1 w - - 0 1");
    EXPECT_EQ(p.blancas.blancas, (Puntos{-15, 60}));
    EsperarPasados(Blancas, {-1, -1, -1, -1, -1, -1, -1, 31});
    // a6 is passed too: table -15 at a3 and 0, isolated (-16, -20), r = 2: nothing more.
    EXPECT_EQ(p.negras.negras, (Puntos{-31, -20}));
    EsperarPasados(Negras, {16, -1, -1, -1, -1, -1, -1, -1});
}

}  // namespace
