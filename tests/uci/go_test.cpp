// The go command's parameter parsing and time budgets, checked as pure functions.
#include <gtest/gtest.h>

#include <vector>

#include "search/limits.h"
#include "uci/go.h"

namespace {
LimitesGo Limites(const char* go, int turno = 1, int plies = 0) {
    return CalcularLimites(LeerParametrosGo(go), turno, plies);
}
}  // namespace

TEST(GoBudget, WorkedExamples) {
    LimitesGo l = Limites("wtime 300000 btime 300000", 1, 20);
    EXPECT_TRUE(l.buscar);
    EXPECT_EQ(l.tiempoLimite, 2977);
    EXPECT_EQ(l.movimientosRestantes, 110);
    EXPECT_EQ(l.controlTiempo, 1);
    EXPECT_EQ(l.profundidadMaxima, 63);

    EXPECT_EQ(Limites("wtime 15000 btime 15000").tiempoLimite, 1000);
    EXPECT_EQ(Limites("wtime 15000 btime 15000 winc 200 binc 200").tiempoLimite, 200);
    EXPECT_EQ(Limites("wtime 10000 btime 10000").tiempoLimite, 327);
    // 10001 takes the +0.5 formula: 77 ms, under a second, so a flat second.
    EXPECT_EQ(Limites("wtime 10001 btime 10001").tiempoLimite, 1000);
    EXPECT_EQ(Limites("wtime 9000 btime 9000 winc 0 binc 0").tiempoLimite, 500);
    EXPECT_EQ(Limites("wtime 9000 btime 9000 winc 3000 binc 3000").tiempoLimite, 3000);
    l = Limites("wtime 60000 btime 60000 winc 1000 binc 1000 movestogo 40");
    EXPECT_EQ(l.tiempoLimite, 2100);
    EXPECT_EQ(l.movimientosRestantes, 40);
    l = Limites("movetime 2000");
    EXPECT_EQ(l.tiempoLimite, 1500);
    EXPECT_EQ(l.profundidadMaxima, 63);
    EXPECT_EQ(l.controlTiempo, 1);

    // Black to move reads btime/binc.
    EXPECT_EQ(Limites("wtime 9000 btime 300000 winc 3000", 0, 20).tiempoLimite, 2977);
    // Late in a long game the divisor bottoms out at 2.
    EXPECT_EQ(Limites("wtime 300000 btime 300000", 1, 200).movimientosRestantes, 2);
}

TEST(GoBudget, DepthInfiniteAndNoSearch) {
    LimitesGo l = Limites("depth 99");
    EXPECT_TRUE(l.buscar);
    EXPECT_EQ(l.profundidadMaxima, 63);
    EXPECT_EQ(l.controlTiempo, 0);
    l = Limites("depth 5 movetime 2000");
    EXPECT_EQ(l.profundidadMaxima, 63);  // movetime overrides the depth
    EXPECT_EQ(l.controlTiempo, 1);
    ParametrosGo p = LeerParametrosGo("infinite");
    EXPECT_TRUE(p.infinito);
    EXPECT_EQ(Limites("infinite").profundidadMaxima, 63);
    EXPECT_TRUE(Limites("infinite").buscar);

    for (const char* go : {"", "depth 0", "wtime 60000", "wtime -5 btime 60000", "nodes 0", "ponder",
                           "wtime 60000 movestogo 10", "depth", "depth x", "movetime 0", "searchmoves e2e4"})
        EXPECT_FALSE(Limites(go).buscar) << "go " << go;
}

// Numbers are kept in 32 bits; a non-number value is consumed and leaves 0; a missing value
// ends the parsing; an unrecognised word's value is skipped as a word of its own.
TEST(GoBudget, ParameterParsing) {
    ParametrosGo p = LeerParametrosGo("ponder wtime 1000 nodes 5000 btime 2000 winc 30 binc 40 movestogo 7 movetime 9");
    EXPECT_EQ((std::vector<int>{p.wtime, p.btime, p.winc, p.binc, p.movestogo, p.movetime}),
              (std::vector<int>{1000, 2000, 30, 40, 7, 9}));
    EXPECT_TRUE(p.ponder && p.nodos == 5000);
    p = LeerParametrosGo("wtime +5 btime 2000 winc");
    EXPECT_EQ(p.wtime, 0);
    EXPECT_EQ(p.btime, 2000);
    p = LeerParametrosGo("wtime 1.5 btime 3 depth");
    EXPECT_EQ(p.wtime, 0);
    EXPECT_EQ(p.btime, 3);
    EXPECT_EQ(LeerParametrosGo("wtime 4294967396").wtime, 100);
    EXPECT_EQ(LeerParametrosGo("mate 3 depth 4").profundidad, 4);
}

// Caps applied after the formulas so that no clock setting can run the clock out.
TEST(GoBudget, NeverLosesOnTime) {
    // A clock run down to zero is still a clock: the engine answers (at once when it is ours).
    LimitesGo l = Limites("wtime 5000 btime 0");
    EXPECT_TRUE(l.buscar);
    EXPECT_EQ(l.tiempoLimite, 500);
    EXPECT_TRUE(Limites("wtime 0 btime 5000 movestogo 3").buscar);
    EXPECT_FALSE(Limites("wtime 5000 btime -1").buscar);  // a sign makes it no number: no clock
    // movestogo 1 used to spend the whole clock.
    EXPECT_EQ(Limites("wtime 5000 btime 5000 movestogo 1").tiempoLimite, 500);
    EXPECT_EQ(Limites("wtime 60000 btime 60000 movestogo 1").tiempoLimite, 54000);
    // Under 10 s without increment the flat 500 ms becomes a tenth of the clock.
    EXPECT_EQ(Limites("wtime 3000 btime 3000").tiempoLimite, 300);
    EXPECT_EQ(Limites("wtime 400 btime 400").tiempoLimite, 40);
    // An increment larger than the clock is capped by the reserve.
    EXPECT_EQ(Limites("wtime 1000 btime 1000 winc 3000 binc 3000").tiempoLimite, 900);
    EXPECT_EQ(Limites("wtime 100 btime 100 winc 3000 binc 3000").tiempoLimite, 50);
    // Nearly flagged: the budget is zero or below, and only the first iteration is searched.
    for (const char* go : {"wtime 30 btime 30 winc 3000 binc 3000", "wtime 1 btime 1", "wtime 50 btime 50",
                           "wtime 0 btime 5000 movestogo 3"}) {
        l = Limites(go);
        EXPECT_LE(l.tiempoLimite, 0) << go;
        EXPECT_EQ(l.profundidadMaxima, 1) << go;
    }
    EXPECT_EQ(Limites("wtime 60 btime 60").profundidadMaxima, 63);  // 6 ms left to think
    EXPECT_EQ(Limites("movetime 400").profundidadMaxima, 63);       // not a clock: stops at its check

    // Every budget leaves at least 50 ms and a tenth of the clock.
    for (int t : {1, 50, 99, 500, 999, 5000, 9999, 10000, 10001, 19999, 20000, 60000, 600000})
        for (int inc : {0, 100, 1000, 5000})
            for (int mtg : {0, 1, 2, 40})
                for (int plies : {0, 60, 129, 300}) {
                    char go[128];
                    std::snprintf(go, sizeof go, "wtime %d btime %d winc %d binc %d movestogo %d", t, t, inc, inc, mtg);
                    LimitesGo l = Limites(go, 1, plies);
                    ASSERT_TRUE(l.buscar);
                    EXPECT_LE(l.tiempoLimite, t - std::max(50, t / 10)) << go;
                }
}
