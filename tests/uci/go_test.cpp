// The go command's words and the time budgets they give, as pure functions; and what ponderhit
// does to the budgets of a search on "go ponder".
#include <gtest/gtest.h>

#include "search/limits.h"
#include "uci/go.h"

namespace {
LimitesGo Limites(const char* go, int turno = 1, int plies = 0, int margen = 500) {
    return CalcularLimites(LeerParametrosGo(go), turno, plies, margen);
}
}  // namespace

// One worked example per clock rule: a rule that reads the wrong clock, forgets the plies
// played, takes the whole increment, or lets a budget eat the reserve shows here.
TEST(GoBudget, WorkedExamples) {
    struct Caso {
        const char* go;
        int turno, plies, tiempo, profundidad;
    };
    const Caso casos[] = {
        {"wtime 300000 btime 300000", 1, 20, 2977, 63},                // a share of 110 moves, plus 250 ms
        {"wtime 9000 btime 300000 winc 3000", 0, 20, 2977, 63},        // Black reads btime and binc
        {"wtime 15000 btime 15000", 1, 0, 1000, 63},                   // 10 to 20 s: at least a second
        {"wtime 9000 btime 9000 winc 3000 binc 3000", 1, 0, 3000, 63},  // under 10 s: the increment
        {"wtime 3000 btime 3000", 1, 0, 300, 63},                      // ... or at most a tenth
        {"wtime 60000 btime 60000 winc 1000 binc 1000 movestogo 40", 1, 0, 2100, 63},  // 60 % of the increment
        {"wtime 5000 btime 5000 movestogo 1", 1, 0, 500, 63},
        {"wtime 1000 btime 1000 winc 3000 binc 3000", 1, 0, 900, 63},  // the reserve: a tenth of the clock
        {"wtime 60 btime 60", 1, 0, 6, 63},
        {"wtime 50 btime 50", 1, 0, 0, 1},  // inside the reserve: the first iteration gives the move
        {"wtime 0 btime 5000 movestogo 3", 1, 0, -50, 1},
        {"movetime 2000", 1, 0, 1500, 63},
        {"wtime 300000", 1, 20, 2977, 63},   // our clock alone is a clock
        {"btime 9000 binc 3000", 0, 0, 3000, 63},
        // Limits together: the first reached ends the search.
        {"depth 5 movetime 2000", 1, 0, 1500, 5},
        {"depth 3 wtime 100000 btime 100000", 1, 0, 1019, 3},
        {"movetime 1000 wtime 600000 btime 600000", 1, 0, 500, 63},
        {"wtime 3000 btime 3000 movetime 60000", 1, 0, 300, 63},
    };
    for (const Caso& c : casos) {
        const LimitesGo l = Limites(c.go, c.turno, c.plies);
        EXPECT_TRUE(l.controlTiempo == 1 && l.espera == Espera::Ninguna) << c.go;
        EXPECT_EQ(l.tiempoLimite, c.tiempo) << c.go;
        EXPECT_EQ(l.profundidadMaxima, c.profundidad) << c.go;
    }
    // Move Overhead: off movetime whole, off a clock budget beyond the usual half second.
    for (auto [margen, movetime, reloj] : {std::tuple{500, 1500, 2977}, {100, 1900, 2977}, {800, 1200, 2677}}) {
        EXPECT_EQ(Limites("movetime 2000", 1, 0, margen).tiempoLimite, movetime) << margen;
        EXPECT_EQ(Limites("wtime 300000 btime 300000", 1, 20, margen).tiempoLimite, reloj) << margen;
    }
}

// Without a limit of its own a search answers only once the GUI speaks; a lone go mate N
// answers by itself once it has found its mate.
TEST(GoBudget, SearchesWithoutAnEndOfTheirOwn) {
    const std::pair<const char*, Espera> casos[] = {
        {"", Espera::Orden}, {"infinite", Espera::Orden}, {"btime 1000", Espera::Orden},
        {"depth 0", Espera::Orden}, {"movestogo 5 winc 100", Espera::Orden}, {"infinite depth 4", Espera::Orden},
        {"mate 2", Espera::OrdenSinMate}, {"mate 2 depth 9", Espera::Ninguna}, {"nodes 0", Espera::Ninguna},
        {"depth 99", Espera::Ninguna}, {"movetime 0", Espera::Ninguna}, {"ponder wtime 100", Espera::Ninguna},
    };
    for (auto [go, espera] : casos) EXPECT_EQ(Limites(go).espera, espera) << go;
    EXPECT_EQ(Limites("depth 99").profundidadMaxima, 63);
    EXPECT_EQ(Limites("mate 3").mate, 3);
    EXPECT_EQ(Limites("nodes 0").nodos, 1u);
}

// ponderhit turns the time spent pondering into a gift: both budgets count from its arrival.
TEST(GoBudget, PonderhitCountsTheBudgetsFromNow) {
    RegistroJuego& J = TipoJuego;
    J.TiempoInicio = ObtenerTiempo() - 5000;  // pondering for five seconds
    J.TiempoLimite = 500;
    J.Nodos = 100000;
    J.LimiteNodos = 30000;
    J.PonderInterfaz = 1;
    Ponderhit();
    EXPECT_GE(J.TiempoLimite, 5500);
    EXPECT_EQ(J.LimiteNodos, 130000u);
    EXPECT_EQ(J.PonderInterfaz, 0);
    J.LimiteNodos = J.Nodos = 0;
}
