// The "eval" console command through the real engine binary: exactly three lines per call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/engine_process.h"

namespace {

const std::string NINGUNO = "-1 -1 -1 -1 -1 -1 -1 -1";

std::vector<std::string> Evaluacion(int puntos, int fase, const std::string& blancas, const std::string& negras) {
    return {"Evaluacion: " + std::to_string(puntos), "Fase: " + std::to_string(fase),
            "Pasados: " + blancas + " / " + negras};
}

void Agregar(std::vector<std::string>& a, const std::vector<std::string>& b) { a.insert(a.end(), b.begin(), b.end()); }

TEST(EvalCommand, PrintsScorePhaseAndPassedPawns) {
    int estado = 0;
    auto salida = Transcripcion({"eval",
                                 "position fen 7k/P7/8/8/8/8/1P6/4K3 w - - 0 1", "eval",
                                 "position fen 7k/P7/8/8/8/8/1P6/4K3 b - - 0 1", "eval",
                                 "position fen 4k3/1p6/8/8/8/8/p7/7K b - - 0 1", "eval",
                                 "quit"},
                                &estado);
    std::vector<std::string> esperado;
    Agregar(esperado, Evaluacion(10, 0, NINGUNO, NINGUNO));
    Agregar(esperado, Evaluacion(1370, 24, "8 49 -1 -1 -1 -1 -1 -1", NINGUNO));
    Agregar(esperado, Evaluacion(-1360, 24, "8 49 -1 -1 -1 -1 -1 -1", NINGUNO));
    Agregar(esperado, Evaluacion(1370, 24, NINGUNO, "48 9 -1 -1 -1 -1 -1 -1"));
    EXPECT_EQ(salida, esperado);
    EXPECT_EQ(estado, 0);
}

TEST(EvalCommand, HalfMoveClocksAndNoCache) {
    // The same position (same key) at clocks 0, 80, 81 and 100: the command evaluates afresh
    // each time, so the clock always shows.
    auto salida = Transcripcion({"position fen 7k/P7/8/8/8/8/1P6/4K3 w - - 0 1", "eval",
                                 "position fen 7k/P7/8/8/8/8/1P6/4K3 w - - 80 1", "eval",
                                 "position fen 7k/P7/8/8/8/8/1P6/4K3 w - - 81 1", "eval",
                                 "position fen 7k/P7/8/8/8/8/1P6/4K3 w - - 100 1", "eval",
                                 "position fen 7k/P7/8/8/8/8/1P6/4K3 w - - 0 1", "eval", "quit"});
    std::vector<std::string> esperado;
    for (int puntos : {1370, 1370, 1370, 68, 1370}) Agregar(esperado, Evaluacion(puntos, 24, "8 49 -1 -1 -1 -1 -1 -1", NINGUNO));
    EXPECT_EQ(salida, esperado);
}

TEST(EvalCommand, SpecialEndingsShowTheResetRecords) {
    auto salida = Transcripcion({"position fen 4k3/8/4K3/8/8/8/8/R7 w - - 99 1", "eval",
                                 "position fen 8/8/8/4k3/8/8/8/2N1K3 b - - 0 1", "eval",
                                 "position startpos moves e2e4 d7d5 e4d5", "eval", "quit"});
    std::vector<std::string> esperado;
    Agregar(esperado, Evaluacion(4170, 22, NINGUNO, NINGUNO));
    Agregar(esperado, Evaluacion(0, 23, NINGUNO, NINGUNO));
    ASSERT_EQ(salida.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(salida.begin(), salida.begin() + 6), esperado);
    EXPECT_EQ(salida[6].rfind("Evaluacion: -", 0), 0u) << salida[6];  // Black to move, a pawn down
    EXPECT_EQ(salida[7], "Fase: 0");
    EXPECT_EQ(salida[8], "Pasados: " + NINGUNO + " / " + NINGUNO);
}

}  // namespace
