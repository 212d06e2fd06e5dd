// The search with the real tablebases, through the engine binary: the scores it reports are
// the exact results the tables give for positions below the root.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/board_helpers.h"
#include "support/engine_process.h"

// The tables' own scores, for the side to move, whether the probe answers at the first ply or
// deeper, never adjusted for the distance from the root: from four men, Rxd7 Kxd7 reaches at
// the second ply a three-man position the tables score 30999 - 15 (White mates in 15 plies),
// and the root reports it as it is (a shallow search sees no faster mate). With Syzygy tables
// on as well, Gaviota still answers first: the same scores, mates rather than Syzygy's wins.
TEST(BusquedaConTablas, ReportsExactScores) {
    const std::string ruta = "/usr/share/gaviotatb/gtb4";
    const std::tuple<const char*, int, const char*, const char*> casos[] = {
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", 6, "mate 8", nullptr},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 6, "mate 12", nullptr},
        {"2k5/8/2K5/8/8/8/8/7R b - - 0 1", 6, "mate -2", nullptr},
        {"4k3/8/4K3/4P3/8/8/8/8 w - - 0 1", 6, "mate 11", nullptr},
        {"8/8/8/8/8/4k3/4P3/4K3 w - - 0 1", 6, "cp 0", nullptr},
        {"4k3/3r4/8/8/8/8/8/3RK2Q w - - 0 1", 3, "mate 8", "d1d7"},
    };
    ProcesoMotor motor;
    motor.Enviar({"setoption name UseGaviotaTablebases value true", "setoption name ShowPv value Full"});
    motor.Enviar("setoption name GaviotaTbPath value " + ruta);
    motor.Enviar("isready");  // loads the tables
    std::vector<std::tuple<const char*, int, const char*, const char*>> todos(std::begin(casos), std::end(casos));
    todos.insert(todos.end(), std::begin(casos), std::end(casos));
    for (size_t i = 0; i < todos.size(); i++) {
        auto [fen, profundidad, puntuacion, jugada] = todos[i];
        if (i == std::size(casos))
            motor.Enviar("setoption name SyzygyPath value " + std::string(VEMSUL_SOURCE_DIR) + "/tests/tablebases/syzygy");
        motor.Enviar({std::string("position fen ") + fen, "go depth " + std::to_string(profundidad)});
        std::string ultima, mejor;
        for (const std::string& l : motor.LeerHasta("bestmove ")) {
            if (Empieza(l, "info depth ")) ultima = l.substr(l.find(" score ") + 7, l.find(" pv ") - l.find(" score ") - 7);
            if (Empieza(l, "bestmove ")) mejor = l.substr(9, 4);
        }
        EXPECT_EQ(ultima, puntuacion) << fen;
        EXPECT_TRUE(!jugada || mejor == jugada) << fen << ": " << mejor;
    }
    EXPECT_EQ(motor.Terminar(), 0);

}
