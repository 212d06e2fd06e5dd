// The "eval" console command through the real engine binary: exactly three lines per call, the
// score for the side to move, the phase and both sides' passed pawns; evaluated afresh every
// time (the same key at half-move clocks 0 and 100 shows the clock).
#include <gtest/gtest.h>

#include "support/engine_process.h"

TEST(EvalCommand, PrintsScorePhaseAndPassedPawns) {
    const std::string ninguno = "-1 -1 -1 -1 -1 -1 -1 -1", pasados = "8 49 -1 -1 -1 -1 -1 -1";
    const std::string peones = "position fen 7k/P7/8/8/8/8/1P6/4K3 ";
    const std::pair<std::string, std::vector<std::string>> casos[] = {
        {"", {"Evaluacion: 10", "Fase: 0", "Pasados: " + ninguno + " / " + ninguno}},
        {peones + "w - - 0 1", {"Evaluacion: 1370", "Fase: 24", "Pasados: " + pasados + " / " + ninguno}},
        {peones + "b - - 0 1", {"Evaluacion: -1360", "Fase: 24", "Pasados: " + pasados + " / " + ninguno}},
        {"position fen 4k3/1p6/8/8/8/8/p7/7K b - - 0 1",
         {"Evaluacion: 1370", "Fase: 24", "Pasados: " + ninguno + " / 48 9 -1 -1 -1 -1 -1 -1"}},
        {peones + "w - - 100 1", {"Evaluacion: 68", "Fase: 24", "Pasados: " + pasados + " / " + ninguno}},
        {peones + "w - - 0 1", {"Evaluacion: 1370", "Fase: 24", "Pasados: " + pasados + " / " + ninguno}},
        // A special ending leaves the records as the reset left them.
        {"position fen 4k3/8/4K3/8/8/8/8/R7 w - - 99 1", {"Evaluacion: 4170", "Fase: 22", "Pasados: " + ninguno + " / " + ninguno}},
    };
    std::vector<std::string> entrada, esperado;
    for (const auto& [posicion, lineas] : casos) {
        if (!posicion.empty()) entrada.push_back(posicion);
        entrada.push_back("eval");
        esperado.insert(esperado.end(), lineas.begin(), lineas.end());
    }
    EXPECT_EQ(Sesion(entrada), esperado);
}
