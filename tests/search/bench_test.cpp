// "bench" through the real binary: the node total is identical from run to run, the output is
// one bestmove per position and the closing line, and the console form leaves the engine usable.
#include <gtest/gtest.h>

#include <regex>

#include "support/engine_process.h"

namespace {

struct SalidaBench {
    std::vector<std::string> lineas;
    unsigned long long nodos = 0;
    int estado = -5;
};

SalidaBench Bench(const std::vector<std::string>& argumentos) {
    SalidaBench r;
    ProcesoMotor motor(argumentos);
    motor.CerrarEntrada();  // a closed input must not cut the searches short
    r.lineas = motor.LeerTodo(120000);
    r.estado = motor.Esperar(10000);
    static const std::regex total("^([0-9]+) nodes [0-9]+ nps$");
    std::smatch m;
    if (!r.lineas.empty() && std::regex_match(r.lineas.back(), m, total)) r.nodos = std::stoull(m[1]);
    return r;
}

}  // namespace

TEST(Bench, SameNodeTotalOnEveryRun) {
    const auto a = Bench({"bench", "4"});
    const auto b = Bench({"bench", "4"});
    EXPECT_EQ(a.estado, 0);
    EXPECT_EQ(b.estado, 0);
    ASSERT_GT(a.nodos, 0u) << (a.lineas.empty() ? "" : a.lineas.back());
    EXPECT_EQ(a.nodos, b.nodos);
    // One answer per position and nothing else: no info lines.
    ASSERT_EQ(a.lineas.size(), 33u);
    for (size_t i = 0; i + 1 < a.lineas.size(); i++) EXPECT_EQ(a.lineas[i].rfind("bestmove ", 0), 0u) << a.lineas[i];
    ASSERT_EQ(b.lineas.size(), a.lineas.size());
    for (size_t i = 0; i + 1 < a.lineas.size(); i++) EXPECT_EQ(a.lineas[i], b.lineas[i]);
    // A deeper bench searches more.
    const auto c = Bench({"bench", "5"});
    EXPECT_GT(c.nodos, a.nodos);
}

TEST(Bench, ConsoleCommandLeavesAFreshGameWithTheUsersSettings) {
    int estado = -5;
    auto salida = Transcripcion({"setoption name ShowPv value None", "bench 2", "position startpos moves e2e4",
                                 "go depth 1", "isready", "quit"},
                                &estado);
    EXPECT_EQ(estado, 0);
    static const std::regex total("^[0-9]+ nodes [0-9]+ nps$");
    size_t i = 0;
    while (i < salida.size() && !std::regex_match(salida[i], total)) i++;
    ASSERT_LT(i, salida.size());
    EXPECT_EQ(i, 32u);  // the 32 answers come first
    // ShowPv None survives the bench: no info lines follow.
    for (size_t k = i + 1; k < salida.size(); k++) EXPECT_NE(salida[k].rfind("info depth", 0), 0u) << salida[k];
    EXPECT_EQ(salida.back(), "readyok");
}
