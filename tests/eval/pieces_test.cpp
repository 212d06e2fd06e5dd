// The board scan and the rook pass: knights, bishops, queens, rooks, the lists they build and
// the order effects of the scan. Expected values are worked out by hand term by term.
#include <gtest/gtest.h>

#include "eval/tables.h"
#include "eval_helpers.h"

namespace {

// Scans a position and returns what the scan gave to each side.
Aportes Escaneo(const std::string& fen) {
    PonerFen(fen);
    ReiniciarBandos();
    CalcularFase();
    MarcarReyEnPeligro();
    return Aporte(EvaluarPiezasTableroJuego);
}

Aportes PasoTorres(const std::string& fen) {
    Escanear(fen);
    EvaluarPeonesB();
    EvaluarPeonesN();
    return Aporte([] {
        EvaluarTorresB();
        EvaluarTorresN();
    });
}

TEST(EvalPieces, KnightTrappedInTheCorner) {
    // Knight a8, black pawns a7 and c7, black king h5: table -135/-40, one move (b6)
    // 4 - 16, closeness (3 x 4 - 21) x 25 / 100 = -2, trapped -50 twice.
    EXPECT_EQ(Escaneo("N7/p1p5/8/7k/8/8/8/7K w - - 0 1").blancas, (Puntos{-249, -154}));
    // Without the pawns: two moves, not trapped.
    EXPECT_EQ(Escaneo("N7/8/8/7k/8/8/8/7K w - - 0 1").blancas, (Puntos{-145, -50}));
    // The black knight on a1 with white pawns on a2 and c2, the mirror image.
    Aportes a = Escaneo("7k/8/8/8/7K/8/P1P5/n7 b - - 0 1");
    EXPECT_EQ(a.negras, (Puntos{-249, -154}));
    EXPECT_EQ(a.blancas, (Puntos{0, 0}));  // pawns and kings score nothing in the scan
    EXPECT_EQ(Negras.NumAtaquesCaballo, 1);
    EXPECT_EQ(Negras.AtaquesCaballo[0], 50);  // c2
}

TEST(EvalPieces, KnightZoneCountsJumpsNextToTheKingButNotOntoIt) {
    // Knight d4, black king e5: the jumps to e6 and f5 land next to the king.
    Escanear("8/8/8/4k3/3N4/8/8/K7 w - - 0 1");
    EXPECT_EQ(Blancas.AtaquesZonaRey, 2);
    EXPECT_EQ(Blancas.PesoAtacantes, 1);
    // King on e6, one of the jumps: only f5 counts; the king itself is listed as a target.
    Escanear("8/8/4k3/8/3N4/8/8/K7 b - - 0 1");
    EXPECT_EQ(Blancas.AtaquesZonaRey, 1);
    EXPECT_EQ(Blancas.PesoAtacantes, 1);
    ASSERT_EQ(Blancas.NumAtaquesCaballo, 1);
    EXPECT_EQ(Blancas.AtaquesCaballo[0], 20);
    // Far from the king: no pressure.
    Escanear("k7/8/8/8/3N4/8/8/K7 w - - 0 1");
    EXPECT_EQ(Blancas.AtaquesZonaRey, 0);
    EXPECT_EQ(Blancas.PesoAtacantes, 0);
}

TEST(EvalPieces, KnightOutpostAndTheBishopsScannedBeforeIt) {
    // Knight e5 supported by d4, no black pawn on d6/f6; pawns on the c-, d-, f- and g-files
    // are scanned before e5. Knight alone: table 20/10, seven moves 28 - 16, closeness 0,
    // pawn-supported +2; outpost +14/+4 while a black bishop on a dark square is already listed.
    EXPECT_EQ(Escaneo("1b5k/2p2pp1/8/3pN3/3P4/8/8/K7 w - - 0 1").blancas, (Puntos{48, 28}));
    // Light-squared bishop: it cannot challenge the knight, +28/+8.
    EXPECT_EQ(Escaneo("2b4k/2p2pp1/8/3pN3/3P4/8/8/K7 w - - 0 1").blancas, (Puntos{62, 32}));
    // Dark-squared bishop on h2 is scanned after the knight, so not yet listed: +28/+8.
    EXPECT_EQ(Escaneo("7k/2p2pp1/8/3pN3/3P4/8/7b/K7 w - - 0 1").blancas, (Puntos{62, 32}));
    // No bishop at all.
    EXPECT_EQ(Escaneo("7k/2p2pp1/8/3pN3/3P4/8/8/K7 w - - 0 1").blancas, (Puntos{62, 32}));
    // No pawn on the g-file: a jump lands on an open file, +28/+8.
    EXPECT_EQ(Escaneo("1b5k/2p2p2/8/3pN3/3P4/8/8/K7 w - - 0 1").blancas, (Puntos{62, 32}));
    // Without the supporting pawn: no outpost and no support bonus.
    EXPECT_EQ(Escaneo("1b5k/2p2pp1/8/3pN3/8/8/8/K7 w - - 0 1").blancas, (Puntos{32, 22}));

    // Black knight e4 supported by d5, white pawns scanned before it on c6, f5 and g6.
    // Table (at e5) 20/10, eight moves 32 - 16, closeness 0, support +2, outpost +14/+4 with a
    // light white bishop already listed on a8.
    EXPECT_EQ(Escaneo("B6K/8/2P3P1/3p1P2/4n3/8/8/k7 b - - 0 1").negras, (Puntos{52, 32}));
    EXPECT_EQ(Escaneo("1B5K/8/2P3P1/3p1P2/4n3/8/8/k7 b - - 0 1").negras, (Puntos{66, 36}));  // dark bishop
    EXPECT_EQ(Escaneo("7K/8/2P3P1/3p1P2/4n3/8/8/k6B b - - 0 1").negras, (Puntos{66, 36}));   // listed after
}

TEST(EvalPieces, KnightInFrontOfItsCentrePawn) {
    Aportes bloqueado = Escaneo("4k3/8/8/8/3N4/3P4/8/4K3 w - - 0 1");
    Aportes libre = Escaneo("4k3/8/8/8/3N4/7P/8/4K3 w - - 0 1");
    EXPECT_EQ(bloqueado.blancas.mg - libre.blancas.mg, -20);
    EXPECT_EQ(bloqueado.blancas.eg - libre.blancas.eg, 0);
    bloqueado = Escaneo("4k3/8/3p4/3n4/8/8/8/4K3 b - - 0 1");
    libre = Escaneo("4k3/8/7p/3n4/8/8/8/4K3 b - - 0 1");
    EXPECT_EQ(bloqueado.negras.mg - libre.negras.mg, -20);
    EXPECT_EQ(bloqueado.negras.eg - libre.negras.eg, 0);
}

TEST(EvalPieces, BishopStopsAtTheFirstManItMeets) {
    // Bishop c1 sees d2, e3 and hits the knight on f4 (g5, h6 behind it do not count), and b2,
    // a3: four moves. Table -16/-10, 20 - 35, closeness (5 - 7) x 50 / 100 = -1 and 0.
    EXPECT_EQ(Escaneo("4k3/8/8/8/5n2/8/8/2B4K w - - 0 1").blancas, (Puntos{-32, -25}));
    ASSERT_EQ(Blancas.NumAtaquesAlfil, 1);
    EXPECT_EQ(Blancas.AtaquesAlfil[0], 37);
    EXPECT_EQ(Blancas.CasillaAlfil[0], 58);
    EXPECT_EQ(Blancas.CasillaAlfil[1], -1);
}

TEST(EvalPieces, TrappedBishops) {
    // h7 with black pawns f7 and g6; the f-pawn moved to f5 (off the bishop's rays) frees it.
    Aportes x = Escaneo("4k3/5p1B/6p1/8/8/8/8/4K3 w - - 0 1");
    Aportes y = Escaneo("4k3/7B/6p1/5p2/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(x.blancas.mg - y.blancas.mg, -100);
    EXPECT_EQ(x.blancas.eg - y.blancas.eg, -100);
    x = Escaneo("4k3/8/8/8/8/6P1/5P1b/4K3 b - - 0 1");
    y = Escaneo("4k3/8/8/8/5P2/6P1/7b/4K3 b - - 0 1");
    EXPECT_EQ(x.negras.mg - y.negras.mg, -100);
    EXPECT_EQ(x.negras.eg - y.negras.eg, -100);
    // a6 with c6 and b5: -50; black a3 with c3 and b4: -50.
    x = Escaneo("4k3/8/B1p5/1p6/8/8/8/4K3 w - - 0 1");
    y = Escaneo("4k3/2p5/B7/1p6/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(x.blancas.mg - y.blancas.mg, -50);
    x = Escaneo("4k3/8/8/8/1P6/b1P5/8/4K3 b - - 0 1");
    y = Escaneo("4k3/8/8/8/1P6/b7/2P5/4K3 b - - 0 1");
    EXPECT_EQ(x.negras.eg - y.negras.eg, -50);
}

TEST(EvalPieces, QueenOnTheSeventhCountsOnlyRooksScannedBeforeIt) {
    // Queen d7 against the king on g8: 22 moves, zone f7, g7, h7; table 0/0, +8/+16,
    // closeness (10 - 7) x 50 / 100 = 1 and 3, seventh rank +20/+30, rook a7 already listed +10/+5.
    EXPECT_EQ(Escaneo("6k1/R2Q4/8/8/8/8/8/K7 w - - 0 1").blancas, (Puntos{39, 54}));
    EXPECT_EQ(Blancas.AtaquesZonaRey, 3);
    EXPECT_EQ(Blancas.PesoAtacantes, 4);
    // Rook on h7, to the queen's right: not yet listed, no rook bonus (mobility and zone alike).
    EXPECT_EQ(Escaneo("6k1/3Q3R/8/8/8/8/8/K7 w - - 0 1").blancas, (Puntos{29, 49}));
    EXPECT_EQ(Blancas.AtaquesZonaRey, 3);
    // Black queen d2 with its rook on a2 against the king on g1.
    EXPECT_EQ(Escaneo("k7/8/8/8/8/8/r2q4/6K1 b - - 0 1").negras, (Puntos{39, 54}));
}

TEST(EvalPieces, RookPassKeepsRunningTotals) {
    // Rooks a1 and h1, 13 moves each. The first: M = 6, 12 - 1 and 24, open file +10/+20.
    // The second: M = 6 + 13 - 7 = 12, so 24 and 48, open file: (34, 68).
    EXPECT_EQ(PasoTorres("8/8/4k3/8/8/4K3/8/R6R w - - 0 1").blancas, (Puntos{55, 112}));
    EXPECT_EQ(PasoTorres("r6r/8/4k3/8/8/4K3/8/8 b - - 0 1").negras, (Puntos{55, 112}));
    // A single rook on a1 sees the whole first rank: 14 moves, M = 7: (14 - 1 + 10, 28 + 20).
    EXPECT_EQ(PasoTorres("8/8/4k3/8/8/4K3/8/R7 w - - 0 1").blancas, (Puntos{23, 48}));
    // Zone: the a-file passes a7, a6 and a5 next to the king on b6 (3); the h1 rook adds
    // nothing of its own but the running count is added again.
    PasoTorres("8/8/1k6/8/8/4K3/8/R6R w - - 0 1");
    EXPECT_EQ(Blancas.AtaquesZonaRey, 6);
    EXPECT_EQ(Blancas.PesoAtacantes, 4);
}

TEST(EvalPieces, RookShutInBehindAnEnemyPawn) {
    // Rook h2 with a black pawn on h3: one move (h1), M = -6: table -4, -12, closeness
    // (2 - 7) x 50 / 100 = -2 and -1, half-open file +5/+12, then -100 for the bishop on g2.
    EXPECT_EQ(PasoTorres("1k6/8/8/8/8/7p/6bR/1K6 w - - 0 1").blancas, (Puntos{-113, -113}));
    EXPECT_EQ(PasoTorres("1k6/8/8/8/8/7p/6pR/1K6 w - - 0 1").blancas, (Puntos{-193, -193}));
    EXPECT_EQ(PasoTorres("1k6/6Br/7P/8/8/8/8/1K6 b - - 0 1").negras, (Puntos{-113, -113}));
    EXPECT_EQ(PasoTorres("1k6/6Pr/7P/8/8/8/8/1K6 b - - 0 1").negras, (Puntos{-193, -193}));
}

TEST(EvalPieces, StepTablesFollowTheBoardColours) {
    // The evaluation's step tables are generated from the same colour rule as the board's table.
    for (int s = 0; s < 64; s++) EXPECT_EQ(TableroGlobal.ColorCasilla[s], tablas::Claro(s)) << s;
}

TEST(EvalPieces, PawnAttackTestRejectsWrappedSteps) {
    PonerFen("4k3/8/8/8/p7/8/8/4K3 w - - 0 1");  // black pawn a4
    EXPECT_EQ(AmenazadoPorPeon(39, COLOR_NEGRO), 0);  // h4: a4 is not a neighbour
    EXPECT_EQ(AmenazadoPorPeon(41, COLOR_NEGRO), 1);  // b3
    PonerFen("4k3/8/8/6p1/8/8/8/4K3 w - - 0 1");  // black pawn g5
    EXPECT_EQ(AmenazadoPorPeon(39, COLOR_NEGRO), 1);  // h4
    EXPECT_EQ(AmenazadoPorPeon(37, COLOR_NEGRO), 1);  // f4
    EXPECT_EQ(AmenazadoPorPeon(38, COLOR_NEGRO), 0);  // g4, straight ahead
    PonerFen("4k3/8/8/7P/8/8/8/4K3 w - - 0 1");  // white pawn h5
    EXPECT_EQ(AmenazadoPorPeon(24, COLOR_BLANCO), 0);  // a5: h5's step would wrap round
    EXPECT_EQ(AmenazadoPorPeon(22, COLOR_BLANCO), 1);  // g6
    EXPECT_EQ(AmenazadoPorPeon(30, COLOR_BLANCO), 0);  // g5 is beside it
    EXPECT_EQ(AmenazadoPorPeon(22, COLOR_NEGRO), 0);
    PonerFen("4k3/8/8/8/1P6/8/8/4K3 w - - 0 1");  // white pawn b4
    EXPECT_EQ(AmenazadoPorPeon(24, COLOR_BLANCO), 1);  // a5
    EXPECT_EQ(AmenazadoPorPeon(26, COLOR_BLANCO), 1);  // c5
}

TEST(EvalPieces, ListsAndDefenceCounts) {
    // Defendida counts pawn, knight and bishop cover of own men (the king included); the rook
    // on c3 is only listed by the scan.
    Escanear("4k3/8/8/8/8/1NR5/1P1P4/K1B5 w - - 0 1");
    EXPECT_EQ(Blancas.Defendida[42], 2);  // c3: pawns b2 and d2
    EXPECT_EQ(Blancas.Defendida[51], 2);  // d2: bishop c1 and knight b3
    EXPECT_EQ(Blancas.Defendida[58], 1);  // c1: knight b3
    EXPECT_EQ(Blancas.Defendida[56], 1);  // a1, the king: knight b3
    EXPECT_EQ(Blancas.Defendida[49], 1);  // b2: bishop c1
    EXPECT_EQ(Blancas.Defendida[41], 0);  // b3: nothing
    EXPECT_EQ(Blancas.CasillaPeon[0][1], 49);
    EXPECT_EQ(Blancas.CasillaPeon[0][3], 51);
    EXPECT_EQ(Blancas.PeonesColumna[1], 1);
    EXPECT_EQ(Blancas.PeonesColumna[0], 0);
    EXPECT_EQ(Blancas.CasillaCaballo[0], 41);
    EXPECT_EQ(Blancas.CasillaTorre[0], 42);
    EXPECT_EQ(Blancas.CasillaTorre[1], -1);
    // Black pawns on one file: slot 0 holds the least advanced one; white's the most advanced.
    Escanear("4k3/3p4/3p4/8/3P4/8/3P4/4K3 w - - 0 1");
    EXPECT_EQ(Negras.CasillaPeon[0][3], 11);
    EXPECT_EQ(Negras.CasillaPeon[1][3], 19);
    EXPECT_EQ(Blancas.CasillaPeon[0][3], 35);
    EXPECT_EQ(Blancas.CasillaPeon[1][3], 51);
    EXPECT_EQ(Blancas.CasillaPeon[2][3], -1);
    EXPECT_EQ(Blancas.PeonesColumna[3], 2);
}

TEST(EvalPieces, MoreThanEightOfAKindAreNotListed) {
    Escanear("NNNNNNNN/N7/8/8/8/8/8/K6k w - - 0 1");
    for (int i = 0; i < 8; i++) EXPECT_EQ(Blancas.CasillaCaballo[i], i);
    EXPECT_EQ(Blancas.NumCaballos, 9);
    Escanear("RRRRRRRR/RR6/8/8/8/8/8/K6k w - - 0 1");
    for (int i = 0; i < 8; i++) EXPECT_EQ(Blancas.CasillaTorre[i], i);
    EvaluarTorresB();  // only the eight listed rooks are walked
    struct Caso {
        const char* fen;
        int fase;
    } casos[] = {{"NNNNNNNN/N7/8/8/8/8/8/K6k w - - 0 1", 15},
                 {"BBBBBBBB/BB6/8/8/8/8/8/K6k b - - 0 1", 14},
                 {"QQQQQQQQ/QQ6/8/8/8/8/8/K6k w - - 0 1", 0},
                 {"RRRRRRRR/RR6/8/8/8/8/8/K6k b - - 0 1", 4}};
    ResultadoEval r;
    for (const Caso& c : casos) {
        PonerFen(c.fen);
        EvaluarSinCache(&r);
        EXPECT_EQ(TableroGlobal.FaseJuego, c.fase) << c.fen;
        EXPECT_EQ(Blancas.CasillaAlfil[7] == -1, Blancas.NumAlfiles < 8) << c.fen;
    }
}

}  // namespace
