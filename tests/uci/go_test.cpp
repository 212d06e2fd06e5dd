// The go command's words and the time budgets they give, as pure functions; and what ponderhit
// does to the budgets of a search on "go ponder".
#include <gtest/gtest.h>

#include "search/limits.h"
#include "uci/go.h"

namespace {
LimitesGo Limites(const char* go, int turno = 1, int plies = 0) { return CalcularLimites(LeerParametrosGo(go), turno, plies); }
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
        {"depth 5 movetime 2000", 1, 0, 1500, 63},  // movetime overrides the depth
    };
    for (const Caso& c : casos) {
        const LimitesGo l = Limites(c.go, c.turno, c.plies);
        EXPECT_TRUE(l.buscar && l.controlTiempo == 1) << c.go;
        EXPECT_EQ(l.tiempoLimite, c.tiempo) << c.go;
        EXPECT_EQ(l.profundidadMaxima, c.profundidad) << c.go;
    }
    const LimitesGo l = Limites("depth 99");
    EXPECT_TRUE(l.buscar && l.controlTiempo == 0 && l.profundidadMaxima == 63);
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
