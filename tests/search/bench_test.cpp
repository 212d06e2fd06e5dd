// "bench" through the real binary. Its node total at a small depth is pinned: any change of
// generation, evaluation, ordering, table or search shows in it (the full-depth signature is
// compared with the history by `make test`). From the console it gives the same total and
// leaves the engine usable with the user's settings.
#include <gtest/gtest.h>

#include <regex>

#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace {

constexpr unsigned long long NODOS_BENCH_6 = 420958;

// The node total of the closing line, or 0; `antes` gets the number of lines before it.
unsigned long long Total(const std::vector<std::string>& lineas, size_t* antes = nullptr) {
    static const std::regex total("^([0-9]+) nodes [0-9]+ nps$");
    std::smatch m;
    for (size_t i = 0; i < lineas.size(); i++)
        if (std::regex_match(lineas[i], m, total)) {
            if (antes) *antes = i;
            return std::stoull(m[1]);
        }
    return 0;
}

}  // namespace

TEST(Bench, PinnedNodeTotalFromTheShellAndTheConsole) {
    ProcesoMotor motor({"bench", "6"});
    motor.CerrarEntrada();  // a closed input must not cut the searches short
    const auto lineas = motor.LeerTodo();
    EXPECT_EQ(motor.Esperar(), 0);
    ASSERT_EQ(lineas.size(), 33u);
    EXPECT_EQ(Contar(lineas, "bestmove "), 32);
    EXPECT_EQ(Total(lineas), NODOS_BENCH_6);

    size_t antes = 0;
    const auto salida = Sesion({"setoption name ShowPv value None", "bench 6", "position startpos moves e2e4",
                                "go depth 1", "isready", "quit"});
    EXPECT_EQ(Total(salida, &antes), NODOS_BENCH_6);
    EXPECT_EQ(antes, 32u);
    // ShowPv None survives the bench: only the bestmove follows.
    ASSERT_EQ(salida.size(), 35u);
    EXPECT_TRUE(Empieza(salida[33], "bestmove ")) << salida[33];
    EXPECT_EQ(salida[34], "readyok");
}
