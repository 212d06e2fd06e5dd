// "bench" through the real binary: from the shell, the node total is identical from run to run
// and the output is one bestmove per position and the closing line; the console form gives the
// same total and leaves the engine usable with the user's settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace {

// The node total of the first closing line, or 0; `antes` gets the number of lines before it.
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

TEST(Bench, SameNodeTotalOnEveryRunAndFromTheConsole) {
    std::vector<std::string> corridas[2];
    for (auto& lineas : corridas) {
        ProcesoMotor motor({"bench", "4"});
        motor.CerrarEntrada();  // a closed input must not cut the searches short
        lineas = motor.LeerTodo(120000);
        EXPECT_EQ(motor.Esperar(10000), 0);
    }
    size_t antes = 0;
    const auto nodos = Total(corridas[0], &antes);
    ASSERT_GT(nodos, 0u);
    EXPECT_EQ(Total(corridas[1]), nodos);
    ASSERT_EQ(corridas[0].size(), 33u);
    ASSERT_EQ(corridas[1].size(), 33u);
    EXPECT_TRUE(std::equal(corridas[0].begin(), corridas[0].end() - 1, corridas[1].begin()));  // same answers
    for (size_t i = 0; i < 32; i++) EXPECT_TRUE(Empieza(corridas[0][i], "bestmove ")) << corridas[0][i];

    int estado = -5;
    auto salida = Transcripcion(
        {"setoption name ShowPv value None", "bench 4", "position startpos moves e2e4", "go depth 1", "isready", "quit"},
        &estado);
    EXPECT_EQ(estado, 0);
    EXPECT_EQ(Total(salida, &antes), nodos);
    EXPECT_EQ(antes, 32u);
    // ShowPv None survives the bench: only the bestmove follows.
    ASSERT_EQ(salida.size(), 35u);
    EXPECT_TRUE(Empieza(salida[33], "bestmove ")) << salida[33];
    EXPECT_EQ(salida[34], "readyok");
}
