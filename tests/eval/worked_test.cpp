// The evaluation's worked examples, each value worked out by hand from the tables: single terms
// of the driver, the board scan, the pawn, rook and king passes; whole evaluations; the special
// endings. (Every other value of these positions is held by the evaluation oracle.)
#include <gtest/gtest.h>

#include <cstring>

#include "eval_helpers.h"

namespace {

const char* const PEONES = "7k/P7/8/8/8/8/1P6/4K3 ";  // a7 and b2 against a lone king
const char* const ESPEJO = "4k3/1p6/8/8/8/8/p7/7K ";  // the same, colours and ranks mirrored
const std::string CASTILLOS = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";

void Torres() {
    EvaluarTorresB();
    EvaluarTorresN();
}

}  // namespace

// What one term adds, after the steps before it (see Preparar), for one side.
TEST(EvalWorked, SingleTerms) {
    struct Caso {
        std::string fen;
        int pasos;
        void (*termino)();
        bool negras;
        Puntos esperado;
    };
    const Caso casos[] = {
        // Start position: none of the development items fires; a knight on e3 blocks the e-pawn
        // and shuts in the f1 bishop.
        {FEN_INICIAL, 0, EvaluarDesarrollo, false, {0, 0}},
        {FEN_INICIAL, 0, EvaluarDesarrollo, true, {0, 0}},
        {"rnbqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1", 0, EvaluarDesarrollo, false, {-40, 0}},
        // Three bishops get no pair bonus; exactly two do: 2 x 325 + 50.
        {"4k3/8/8/8/8/8/8/1BBB1K2 w - - 0 1", 0, EvaluarMaterial, false, {975, 975}},
        {"1bb1k3/8/8/8/8/8/8/1BB2K2 w - - 0 1", 0, EvaluarMaterial, false, {700, 700}},
        // Nine queens: the imbalance rows clamp at 8 and 0 (50 and -50); White has the tempo.
        {"QQQQQQQQ/Q7/8/8/8/8/8/K6k w - - 0 1", 0, EvaluarTempoImbalance, false, {60, 55}},
        {"QQQQQQQQ/Q7/8/8/8/8/8/K6k w - - 0 1", 0, EvaluarTempoImbalance, true, {-50, -50}},
        // Knight a8 with black pawns a7 and c7: table -135/-40, one move 4 - 16, closeness -2,
        // trapped -50 twice; without the pawns two moves and not trapped.
        {"N7/p1p5/8/7k/8/8/8/7K w - - 0 1", 0, EvaluarPiezasTableroJuego, false, {-249, -154}},
        {"N7/8/8/7k/8/8/8/7K w - - 0 1", 0, EvaluarPiezasTableroJuego, false, {-145, -50}},
        // Bishop c1 hits the knight f4 and stops: four moves. Table -16/-10, 20 - 35, closeness -1.
        {"4k3/8/8/8/5n2/8/8/2B4K w - - 0 1", 0, EvaluarPiezasTableroJuego, false, {-32, -25}},
        // Queen d7 against the king g8: 22 moves, +8/+16, closeness 1/3, seventh rank +20/+30, the
        // rook a7 already listed +10/+5; a rook on h7 (to its right) is not yet listed.
        {"6k1/R2Q4/8/8/8/8/8/K7 w - - 0 1", 0, EvaluarPiezasTableroJuego, false, {39, 54}},
        {"6k1/3Q3R/8/8/8/8/8/K7 w - - 0 1", 0, EvaluarPiezasTableroJuego, false, {29, 49}},
        // Two rooks, 13 moves each: the first M = 6 (11, 24) + open file; the second adds the first's
        // counts, M = 12 (24, 48) + open file. One rook alone: 14 moves, M = 7.
        {"8/8/4k3/8/8/4K3/8/R6R w - - 0 1", 2, Torres, false, {55, 112}},
        {"r6r/8/4k3/8/8/4K3/8/8 b - - 0 1", 2, Torres, true, {55, 112}},
        {"8/8/4k3/8/8/4K3/8/R7 w - - 0 1", 2, Torres, false, {23, 48}},
        // e5 opposed by e7, supported by d4: a candidate, 4/8 for r = 4, +10 for the support; d4 is
        // backward on a half-open file.
        {"6k1/4p3/8/4P3/3P4/8/8/6K1 w - - 0 1", 1, EvaluarPeonesN, true, {-11, -20}},
        {"6k1/4p3/8/4P3/3P4/8/8/6K1 w - - 0 1", 1, EvaluarPeonesB, false, {18, 6}},
        // Doubled: White's more advanced pawn is the file's first (passed), Black's rearmost.
        {"r5k1/8/8/4P3/8/4P3/8/6K1 w - - 0 1", 1, EvaluarPeonesB, false, {-4, 30}},
        {"6k1/8/4p3/8/4p3/8/8/R5K1 b - - 0 1", 1, EvaluarPeonesN, true, {-20, -42}},
        // A passed pawn defended by a pawn: +20 in the endgame against the same pawn alone.
        {"r5k1/8/8/4P3/3P4/8/8/6K1 w - - 0 1", 1, EvaluarPeonesB, false, {54, 140}},
        {"r5k1/8/8/4P3/8/8/8/6K1 w - - 0 1", 1, EvaluarPeonesB, false, {15, 60}},
        // a7 unstoppable (distance 1, or 2 with Black to move, < 7): 800; b2 (6, not < 6) not; a
        // black knight anywhere: no unstoppable bonus.
        {std::string(PEONES) + "w - - 0 1", 1, EvaluarPeonesB, false, {44, 1063}},
        {std::string(PEONES) + "b - - 0 1", 1, EvaluarPeonesB, false, {44, 1063}},
        {"7k/P7/8/8/8/8/1P6/n3K3 w - - 0 1", 1, EvaluarPeonesB, false, {44, 263}},
        {std::string(ESPEJO) + "b - - 0 1", 1, EvaluarPeonesN, true, {44, 1063}},
        // King g1 behind f2, g2, h2: only its table (50, -10), even with pawns storming; on g2
        // with f3 and h3: -30 for g3, or -20 with a pawn on g4; a lone enemy queen: no shelter.
        {"r2qk3/8/8/7p/6p1/8/5PPP/6K1 w - - 0 1", 3, EvaluarReyB, false, {50, -10}},
        {"r2qk3/8/8/8/8/5P1P/6K1/8 w - - 0 1", 3, EvaluarReyB, false, {10, 20}},
        {"r2qk3/8/8/8/6P1/5P1P/6K1/8 w - - 0 1", 3, EvaluarReyB, false, {20, 20}},
        {"3qk3/8/8/8/8/5P1P/6K1/8 w - - 0 1", 3, EvaluarReyB, false, {40, 20}},
        // Castled (states 5 and 4): +25/+25; rights still held: no bonus.
        {CASTILLOS, 1, EvaluarReyB, false, {10, -24}},
        {CASTILLOS + " moves e1g1", 1, EvaluarReyB, false, {75, -23}},
        {CASTILLOS + " moves e1g1 e8c8", 1, EvaluarReyN, true, {55, -11}},
        // A rook hits the knight e4: defended by a pawn, nothing; undefended, 12 in both phases.
        {"7k/8/8/3p4/R3n3/8/8/7K w - - 0 1", 4, EvaluarAmenazas, false, {0, 0}},
        {"7k/8/8/8/R3n3/8/8/7K w - - 0 1", 4, EvaluarAmenazas, false, {12, 12}},
    };
    for (const Caso& c : casos) {
        Preparar(c.fen, c.pasos);
        const Aportes a = Aporte(c.termino);
        EXPECT_EQ(c.negras ? a.negras : a.blancas, c.esperado) << c.fen << (c.negras ? " (Black)" : " (White)");
    }
}

TEST(EvalWorked, ListsPhaseAndDangerFlags) {
    // Knight d4 next to the king e5: two jumps land next to it; with the king on e6 (one of the
    // jump squares) only f5 counts, and the king's square is listed as a target.
    Preparar("8/8/8/4k3/3N4/8/8/K7 w - - 0 1", 1);
    EXPECT_EQ(EvalBlancas.AtaquesZonaRey, 2);
    Preparar("8/8/4k3/8/3N4/8/8/K7 b - - 0 1", 1);
    EXPECT_EQ(EvalBlancas.AtaquesZonaRey, 1);
    ASSERT_EQ(EvalBlancas.NumAtaquesCaballo, 1);
    EXPECT_EQ(EvalBlancas.AtaquesCaballo[0], 20);
    // The bishop's list ends at the man it hits.
    Preparar("4k3/8/8/8/5n2/8/8/2B4K w - - 0 1", 1);
    ASSERT_EQ(EvalBlancas.NumAtaquesAlfil, 1);
    EXPECT_EQ(EvalBlancas.AtaquesAlfil[0], 37);
    // More than eight of a kind: eight are listed; the phase clamps at 0 for nine queens.
    Preparar("NNNNNNNN/N7/8/8/8/8/8/K6k w - - 0 1", 1);
    for (int i = 0; i < 8; i++) EXPECT_EQ(EvalBlancas.CasillaCaballo[i], i);
    EXPECT_EQ(Blancas.NumCaballos, 9);
    EXPECT_EQ(FaseJuego, 15);
    Preparar("QQQQQQQQ/Q7/8/8/8/8/8/K6k w - - 0 1", 0);
    EXPECT_EQ(FaseJuego, 0);
    // Passed pawns: -1 for files without one; a file's first pawn when passed, even with a second
    // own pawn behind (White) or ahead (Black) of it.
    Preparar("r5k1/8/8/4P3/8/4P3/8/6K1 w - - 0 1", 2);
    EXPECT_EQ(std::vector<int>(EvalBlancas.PeonPasado, EvalBlancas.PeonPasado + 8),
              (std::vector<int>{-1, -1, -1, -1, 28, -1, -1, -1}));
    Preparar("6k1/8/4p3/8/4p3/8/8/R5K1 b - - 0 1", 2);
    EXPECT_EQ(std::vector<int>(EvalNegras.PeonPasado, EvalNegras.PeonPasado + 8),
              (std::vector<int>{-1, -1, -1, -1, 20, -1, -1, -1}));
    // The danger flags need a queen and another piece.
    Preparar("r2qk3/8/8/8/8/8/8/4K3 w - - 0 1", 0);
    EXPECT_EQ(EvalBlancas.ReyEnPeligro + 2 * EvalNegras.ReyEnPeligro, 1);
    Preparar("3qk3/8/8/8/8/8/8/2BQK3 w - - 0 1", 0);
    EXPECT_EQ(EvalBlancas.ReyEnPeligro + 2 * EvalNegras.ReyEnPeligro, 2);
}

TEST(EvalWorked, KingAttack) {
    // n attacked squares next to the king, weight w: nothing for n = 1; 2 x 25 x 60 / 100 = 30
    // and 30 / 8 = 3 for n = w = 2; nothing when the enemy king is not in danger.
    const int casos[][5] = {{1, 4, 1, 0, 0}, {2, 2, 1, 30, 3}, {3, 5, 1, 112, 14}, {16, 3, 1, 150, 18}, {9, 6, 0, 0, 0}};
    for (const auto& c : casos) {
        Preparar(FEN_INICIAL, 0);
        EvalBlancas.AtaquesZonaRey = c[0];
        EvalBlancas.PesoAtacantes = c[1];
        EvalNegras.ReyEnPeligro = c[2];
        EXPECT_EQ(Aporte(EvaluarAtaqueRey).blancas, (Puntos{c[3], c[4]})) << c[0] << " " << c[1];
    }
}

TEST(EvalWorked, WholeEvaluations) {
    const std::pair<std::string, int> casos[] = {
        {FEN_INICIAL, 10},  // the tempo only, for either side to move
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 10},
        // The pawn ending: material 170/240, pawns 44/1063, kings, tempo; phase 24.
        {std::string(PEONES) + "w - - 0 1", 1370},
        {std::string(PEONES) + "b - - 0 1", -1360},
        {std::string(ESPEJO) + "b - - 0 1", 1370},
        {std::string(ESPEJO) + "w - - 0 1", -1360},
        // A twentieth at clock 100, truncated toward zero before the side to move's sign: -68.5
        // becomes -68 (clocks 80, 81 and 100 for White are shown by the eval command test).
        {std::string(ESPEJO) + "b - - 100 1", 68},
        {std::string(ESPEJO) + "w - - 100 1", -68},
    };
    for (const auto& [fen, valor] : casos) EXPECT_EQ(Evaluacion(fen), valor) << fen;
    ResultadoEval r;
    PonerFen(std::string(PEONES) + "w - - 0 1");
    EvaluarSinCache(&r);
    EXPECT_EQ(FaseJuego, 24);
    EXPECT_EQ(std::vector<int>(r.PeonPasadoBlancas, r.PeonPasadoBlancas + 8),
              (std::vector<int>{8, 49, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(std::vector<int>(r.PeonPasadoNegras, r.PeonPasadoNegras + 8), std::vector<int>(8, -1));
}

// Material draws and special endings: the score comes back at once (not tapered, not scaled by
// the clock) and the result record is left untouched.
TEST(EvalWorked, MaterialDrawsAndSpecialEndings) {
    const std::pair<const char*, int> casos[] = {
        {"8/8/8/4k3/8/8/8/4K3 w - - 0 1", 0},       // bare kings
        {"8/8/8/4k3/8/8/8/2N1K3 b - - 0 1", 0},     // one minor ...
        {"8/2n5/8/4k3/8/8/8/2B1K3 w - - 0 1", 0},   // ... against one minor
        {"8/2b5/8/4k3/8/8/8/2B1K3 b - - 99 1", 0},
        // Light bishop and knight, defending king on h1: 4000 + 200 + PushClose[2]; on a1: + 0.
        {"8/8/8/3B4/8/5K2/8/1N5k w - - 0 1", 4300},
        {"8/8/8/3B4/8/5K2/8/1N5k b - - 0 1", -4300},
        {"8/7B/8/8/8/2K5/8/k6N w - - 0 1", 4100},
        {"8/8/8/3b4/8/5k2/8/1n5K b - - 0 1", 4300},
        {"8/8/8/8/8/2NNK3/8/6k1 w - - 0 1", 0},     // two knights
        {"8/8/8/8/8/2NNK3/8/6k1 b - - 0 1", 0},
        // King and pawn e6 against the king a1: 1000 + PushAway[5] + 2 x PushAway[7].
        {"8/8/4P3/8/8/8/8/k6K w - - 0 1", 1280},
        {"8/8/4P3/8/8/8/8/k6K b - - 0 1", -1280},
        {"7r/8/4k3/8/8/8/8/R3K3 w - - 0 1", 0},     // rooks, kings more than two squares apart
        {"8/8/8/8/8/8/k1p5/6QK w - - 0 1", 4000},   // queen against pawn, king two from its pawn
        {"8/8/8/8/8/8/k1p5/6QK b - - 0 1", -4000},
        {"4k3/8/4K3/8/8/8/8/R7 w - - 99 1", 4170},  // rook: 4000 + 70 + PushClose[2]
        {"4k3/8/4K3/8/8/8/8/R7 w - - 100 1", 4170},
    };
    for (auto [fen, valor] : casos) {
        PonerFen(fen);
        ResultadoEval r, antes;
        std::memset(&r, 0x33, sizeof r);
        antes = r;
        EXPECT_EQ(EvaluarSinCache(&r), valor) << fen;
        EXPECT_EQ(std::memcmp(&r, &antes, sizeof r), 0) << fen;
        EXPECT_GT(FaseJuego, 15) << fen;
    }
}
