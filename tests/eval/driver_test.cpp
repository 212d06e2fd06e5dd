// The evaluation driver: material, phase, development, tempo, imbalance, tapering, the
// half-move clock scaling and the material draws. Expected values are worked out by hand.
#include <gtest/gtest.h>

#include <cstring>

#include "eval_helpers.h"

namespace {

// White pawns a7 and b2 against a lone king on h8: worked through every term by hand
// (material 170/240, pawns 44/1063, kings 10/-10 and 40/-72, tempo; phase 24).
const char* PEONES_W = "7k/P7/8/8/8/8/1P6/4K3 w - - 0 1";
const char* PEONES_B = "7k/P7/8/8/8/8/1P6/4K3 b - - 0 1";
// The same with colours and ranks mirrored.
const char* ESPEJO_W = "4k3/1p6/8/8/8/8/p7/7K w - - 0 1";
const char* ESPEJO_B = "4k3/1p6/8/8/8/8/p7/7K b - - 0 1";

std::string ConReloj(const char* fen, int reloj) {
    std::string f = fen;
    // Replace the "0 1" tail with "<reloj> 1".
    return f.substr(0, f.size() - 3) + std::to_string(reloj) + " 1";
}

TEST(EvalDriver, StartPositionIsTheTempoOnly) {
    PonerFen(FEN_INICIAL);
    ResultadoEval r;
    EXPECT_EQ(EvaluarSinCache(&r), 10);  // (10 x 24 + 5 x 0) / 24
    EXPECT_EQ(TableroGlobal.FaseJuego, 0);
    EXPECT_EQ(r.Puntuacion, 10);
    for (int f = 0; f < 8; f++) {
        EXPECT_EQ(r.PeonPasadoBlancas[f], -1);
        EXPECT_EQ(r.PeonPasadoNegras[f], -1);
    }
    // Black to move: the tempo is Black's, seen from Black's side.
    EXPECT_EQ(Evaluacion("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1"), 10);

    // None of the development items fires: the squares in front of the d- and e-pawns are empty.
    PonerFen(FEN_INICIAL);
    ReiniciarBandos();
    CalcularFase();
    Aportes a = Aporte(EvaluarDesarrollo);
    EXPECT_EQ(a.blancas, (Puntos{0, 0}));
    EXPECT_EQ(a.negras, (Puntos{0, 0}));
}

TEST(EvalDriver, MaterialAndBishopPair) {
    PonerFen(FEN_INICIAL);
    ReiniciarBandos();
    EvaluarMaterial();
    // 8 x 85 + 4 x 325 + 2 x 500 + 975 + 50 and 8 x 120 + 4 x 325 + 2 x 500 + 1000 + 50.
    EXPECT_EQ(De(Blancas), (Puntos{4005, 4310}));
    EXPECT_EQ(De(Negras), (Puntos{4005, 4310}));

    PonerFen("4k3/8/8/8/8/8/8/1BBB1K2 w - - 0 1");  // three bishops: no pair bonus
    ReiniciarBandos();
    EvaluarMaterial();
    EXPECT_EQ(De(Blancas), (Puntos{975, 975}));
    PonerFen("1bb1k3/8/8/8/8/8/8/1BB2K2 w - - 0 1");
    ReiniciarBandos();
    EvaluarMaterial();
    EXPECT_EQ(De(Blancas), (Puntos{700, 700}));
    EXPECT_EQ(De(Negras), (Puntos{700, 700}));
}

TEST(EvalDriver, PhaseCountsPiecesAndClamps) {
    struct Caso {
        const char* fen;
        int fase;
    } casos[] = {
        {FEN_INICIAL, 0},
        {"4k3/8/4K3/8/8/8/8/R7 w - - 0 1", 22},
        {"7k/P7/8/8/8/8/1P6/4K3 w - - 0 1", 24},
        {"4k3/8/8/8/8/8/8/RNB1K3 w - - 0 1", 20},
        {"4k3/8/8/8/8/8/8/Q2qK3 w - - 0 1", 16},
        {"QQQQQQQQ/Q7/8/8/8/8/8/K6k w - - 0 1", 0},  // 24 - 36, clamped
    };
    for (const Caso& c : casos) {
        PonerFen(c.fen);
        ReiniciarBandos();
        CalcularFase();
        EXPECT_EQ(TableroGlobal.FaseJuego, c.fase) << c.fen;
    }
}

TEST(EvalDriver, DevelopmentItems) {
    struct Caso {
        const char* fen;
        int blancas, negras;  // middlegame penalty of each side
    } casos[] = {
        // Knight on e3: e-pawn blocked, and the f1 bishop shut in behind it.
        {"rnbqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1", -40, 0},
        // Knight on d3: the same on the d-file with the c1 bishop.
        {"rnbqkbnr/pppppppp/8/8/8/3N4/PPPPPPPP/R1BQKBNR w KQkq - 0 1", -40, 0},
        // Black knights on d6 and e6.
        {"rnbqkb1r/pppppppp/3n4/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 0, -40},
        {"r1bqkbnr/pppppppp/4n3/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 0, -40},
        // Closed d-file with c-pawns behind the c-knights: both sides.
        {"r1bqkbnr/ppp1pppp/2n5/3p4/3P4/2N5/PPP1PPPP/R1BQKBNR w KQkq - 2 3", -20, -20},
        // Closed e-file with f-pawns behind the f-knights: both sides.
        {"r1bqkb1r/pppp1ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq - 4 4", -20, -20},
        // Only White's c-knight: Black's c-pawn has moved.
        {"r1bqkbnr/pp2pppp/2n5/2pp4/3P4/2N5/PPP1PPPP/R1BQKBNR w KQkq - 0 4", -20, 0},
        // Any man on e3 blocks the pawn (here the c1 bishop), and f1 is still shut in.
        {"rnbqkbnr/pppppppp/8/8/8/4B3/PPPPPPPP/RN1QKBNR w KQkq - 0 1", -40, 0},
        // Phase 1 (one black knight missing) still counts; phase 2 does not.
        {"r1bqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1", -40, 0},
        {"r1bqkb1r/pppppppp/8/8/8/4N3/PPPPPPPP/RNBQKB1R w KQkq - 0 1", 0, 0},
    };
    for (const Caso& c : casos) {
        PonerFen(c.fen);
        ReiniciarBandos();
        CalcularFase();
        Aportes a = Aporte(EvaluarDesarrollo);
        EXPECT_EQ(a.blancas, (Puntos{c.blancas, 0})) << c.fen;
        EXPECT_EQ(a.negras, (Puntos{c.negras, 0})) << c.fen;
    }
}

TEST(EvalDriver, TempoAndImbalance) {
    struct Caso {
        const char* fen;
        Puntos blancas, negras;
    } casos[] = {
        // Nine queens: rows clamp at 8 and 0 (50 and -50), White has the tempo.
        {"QQQQQQQQ/Q7/8/8/8/8/8/K6k w - - 0 1", {60, 55}, {-50, -50}},
        // A knight up: 40 and -40; Black has the tempo.
        {"4k3/8/8/8/8/8/8/1N2K3 b - - 0 1", {40, 40}, {-30, -35}},
        // Rook against knight and bishop: row 5 col 2 = -60 for White, row 3 col 6 = 60 for Black.
        {"nb2k3/8/8/8/8/8/8/4K2R w - - 0 1", {-50, -55}, {60, 60}},
        // Queen against rook: 50 and -50.
        {"r3k3/8/8/8/8/8/8/3QK3 b - - 0 1", {50, 50}, {-40, -45}},
        // Queen against two rooks: balanced, 0.
        {"r3k2r/8/8/8/8/8/8/3QK3 w - - 0 1", {10, 5}, {0, 0}},
    };
    for (const Caso& c : casos) {
        PonerFen(c.fen);
        ReiniciarBandos();
        Aportes a = Aporte(EvaluarTempoImbalance);
        EXPECT_EQ(a.blancas, c.blancas) << c.fen;
        EXPECT_EQ(a.negras, c.negras) << c.fen;
    }
}

TEST(EvalDriver, TaperTruncatesTowardZero) {
    PonerFen(FEN_INICIAL);
    ReiniciarBandos();
    TableroGlobal.FaseJuego = 12;
    Blancas.PuntosMedio = -7;  // (-7 x 12 + 0 x 12) / 24 = -3.5
    EXPECT_EQ(Ponderar(), -3);
    Blancas.PuntosMedio = 0;
    Negras.PuntosFinal = 100;  // eg = -100: -1200 / 24
    EXPECT_EQ(Ponderar(), -50);
    TableroGlobal.FaseJuego = 5;
    Blancas.PuntosMedio = 31;  // (31 x 19 - 100 x 5) / 24 = 89 / 24
    EXPECT_EQ(Ponderar(), 3);
    // Clock scaling of a negative score: -35 x 1 / 20 = -1.75.
    Blancas.PuntosMedio = -35;
    Negras.PuntosFinal = 0;
    TableroGlobal.FaseJuego = 0;
    TableroGlobal.Regla50 = 100;
    EXPECT_EQ(Ponderar(), -1);
    TableroGlobal.Regla50 = 0;
}

TEST(EvalDriver, WholeEvaluationOfAPawnEnding) {
    ResultadoEval r;
    PonerFen(PEONES_W);
    EXPECT_EQ(EvaluarSinCache(&r), 1370);
    EXPECT_EQ(TableroGlobal.FaseJuego, 24);
    EXPECT_EQ(r.Puntuacion, 1370);
    const i8 pasados[8] = {8, 49, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(std::memcmp(r.PeonPasadoBlancas, pasados, 8), 0);
    EXPECT_EQ(std::memcmp(Blancas.PeonPasado, pasados, 8), 0);
    for (int f = 0; f < 8; f++) EXPECT_EQ(r.PeonPasadoNegras[f], -1);

    EXPECT_EQ(Evaluacion(PEONES_B), -1360);  // the tempo changes hands
    EXPECT_EQ(Evaluacion(ESPEJO_B), 1370);
    EXPECT_EQ(Evaluacion(ESPEJO_W), -1360);
    PonerFen(ESPEJO_W);
    EvaluarSinCache(&r);
    const i8 negros[8] = {48, 9, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(std::memcmp(r.PeonPasadoNegras, negros, 8), 0);
}

TEST(EvalDriver, HalfMoveClockScaling) {
    EXPECT_EQ(Evaluacion(ConReloj(PEONES_W, 0)), 1370);
    EXPECT_EQ(Evaluacion(ConReloj(PEONES_W, 80)), 1370);
    EXPECT_EQ(Evaluacion(ConReloj(PEONES_W, 81)), 1370);  // x 20 / 20
    EXPECT_EQ(Evaluacion(ConReloj(PEONES_W, 90)), 753);   // 1370 x 11 / 20 = 753.5
    EXPECT_EQ(Evaluacion(ConReloj(PEONES_W, 99)), 137);
    EXPECT_EQ(Evaluacion(ConReloj(PEONES_W, 100)), 68);  // a twentieth, 68.5 truncated
    // Negative before the side-to-move flip: -1370 x 1 / 20 = -68.5 -> -68, seen by Black as 68.
    EXPECT_EQ(Evaluacion(ConReloj(ESPEJO_B, 100)), 68);
    EXPECT_EQ(Evaluacion(ConReloj(ESPEJO_B, 90)), 753);
    EXPECT_EQ(Evaluacion(ConReloj(ESPEJO_W, 100)), -68);
}

TEST(EvalDriver, MaterialDrawsReturnZeroAndLeaveTheRecord) {
    const char* fens[] = {
        "8/8/8/4k3/8/8/8/4K3 w - - 0 1",       // bare kings
        "8/8/8/4k3/8/8/8/2N1K3 b - - 0 1",     // one knight
        "8/8/8/4k3/8/8/8/2B1K3 w - - 0 1",     // one bishop
        "8/2n5/8/4k3/8/8/8/2B1K3 w - - 0 1",   // minor against minor
        "8/2b5/8/4k3/8/8/8/2B1K3 b - - 99 1",  // bishops
    };
    for (const char* fen : fens) {
        PonerFen(fen);
        ResultadoEval r;
        std::memset(&r, 0x5A, sizeof r);
        ResultadoEval antes = r;
        EXPECT_EQ(Evaluar(&r), 0) << fen;
        EXPECT_EQ(std::memcmp(&r, &antes, sizeof r), 0) << fen;
        EXPECT_GT(TableroGlobal.FaseJuego, 15);
    }
    // A pawn is no material draw: king and pawn against king, the pawn out of reach.
    EXPECT_EQ(Evaluacion("8/8/4P3/8/8/8/8/k6K w - - 0 1"), 1280);
}

TEST(EvalDriver, EvaluationChangesOnlyItsOwnFields) {
    Posicion("startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 e1g1");
    Instantanea antes = Tomar();
    ResultadoEval r;
    EvaluarSinCache(&r);
    Instantanea despues = Tomar();
    // The board is untouched apart from the phase; the piece counts are untouched.
    despues.tablero.FaseJuego = antes.tablero.FaseJuego;
    EXPECT_EQ(std::memcmp(&despues.tablero, &antes.tablero, sizeof antes.tablero), 0);
    EXPECT_EQ(Blancas.NumPeones, 8);
    EXPECT_EQ(Negras.NumCaballos, 2);
    EXPECT_EQ(Blancas.NumAlfiles, 2);
}

}  // namespace
